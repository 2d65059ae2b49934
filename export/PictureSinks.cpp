#include "export/PictureSinks.h"

#include "export/PictureFile.h"

namespace varnel {

FileSink::FileSink(platform::FileSystem& files) : files_(files), ahead_(&PrepareFile) {}

void FileSink::Write(const PlannedWrite& write, const forms::TGraphic& graphic) {
  const UnpackAhead::Prepared file = graphic.Packed() ? ahead_.Take(graphic) : nullptr;
  WriteGraphic(files_, graphic, write.path, file ? file->Bytes() : std::span<const std::uint8_t>());
}

void FileSink::Coming(const std::vector<forms::TGraphic>& graphics) {
  if (graphics.empty())
    ahead_.Stop();
  else
    ahead_.Start(graphics);
}

}  // namespace varnel

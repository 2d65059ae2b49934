#include "export/Export.h"

#include "export/PictureFile.h"
#include "forms/Forms.h"

namespace varnel {

namespace {
FileSink fileSink;
PictureSink* currentSink = nullptr;
}  // namespace

void FileSink::Write(const PlannedWrite& write, const forms::TGraphic& graphic) {
  const UnpackAhead::Rows rows = graphic.Packed() ? ahead_.Take(graphic) : nullptr;
  WriteGraphic(forms::Application->FileSystem(), graphic, write.path,
               rows ? rows->Bytes() : std::span<const std::uint8_t>());
}

void FileSink::Coming(const std::vector<forms::TGraphic>& graphics) {
  if (graphics.empty())
    ahead_.Stop();
  else
    ahead_.Start(graphics);
}

PictureSink& CurrentSink() {
  return currentSink != nullptr ? *currentSink : fileSink;
}

void SetCurrentSink(PictureSink* sink) {
  currentSink = sink;
}

}  // namespace varnel

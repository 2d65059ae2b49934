#include "widgets/ImageTri.h"

#include <utility>

#include "platform/Text.h"

namespace varnel {

TImageTri::TImageTri(std::string name) : forms::TImage(std::move(name)) {
  Width = 105;
  Height = 105;
  Picture1.OnChange = [this] { Picture.Assign(Picture1); };
}

forms::TPicture* TImageTri::PictureSlot(std::string_view slot) {
  if (platform::EqualsIgnoreAsciiCase(slot, "Picture1")) return &Picture1;
  if (platform::EqualsIgnoreAsciiCase(slot, "Picture2")) return &Picture2;
  if (platform::EqualsIgnoreAsciiCase(slot, "Picture3")) return &Picture3;
  return forms::TImage::PictureSlot(slot);
}

void TImageTri::ApplyProperty(std::string_view key, const std::string& value) {
  if (!platform::EqualsIgnoreAsciiCase(key, "Picture3Pos")) {
    forms::TImage::ApplyProperty(key, value);
    return;
  }
  static constexpr std::pair<const char*, TPicture3Pos> kCorners[] = {
      {"TopLeft", TPicture3Pos::TopLeft},
      {"TopRight", TPicture3Pos::TopRight},
      {"BottomLeft", TPicture3Pos::BottomLeft},
      {"BottomRight", TPicture3Pos::BottomRight}};
  for (const auto& [text, corner] : kCorners) {
    if (platform::EqualsIgnoreAsciiCase(value, text)) {
      Picture3Pos = corner;
      return;
    }
  }
  throw forms::Exception("Invalid value '" + value + "' for property Picture3Pos of " + Name);
}

}  // namespace varnel

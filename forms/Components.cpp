#include "forms/Components.h"

#include "platform/Text.h"

namespace forms {

TPicture* TImage::PictureSlot(std::string_view slot) {
  return platform::EqualsIgnoreAsciiCase(slot, "Picture") ? &Picture : nullptr;
}

void TImage::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "AutoSize"))
    AutoSize = BooleanValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Center"))
    Center = BooleanValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Stretch"))
    Stretch = BooleanValue(key, value);
  else if (platform::EqualsIgnoreAsciiCase(key, "Transparent"))
    Transparent = BooleanValue(key, value);
  else
    TControl::ApplyProperty(key, value);
}

void TCaptionedControl::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "Caption"))
    Caption = value;
  else
    TControl::ApplyProperty(key, value);
}

}  // namespace forms

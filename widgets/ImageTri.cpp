#include "widgets/ImageTri.h"

#include <utility>

#include "platform/Text.h"

namespace varnel {

TImageTri::TImageTri(std::string name) : forms::TImage(std::move(name)) {
  Width = 105;
  Height = 105;
  Picture.OnChange = [this] { PictureChanged(); };
  Picture1.OnChange = [this] { Picture.Assign(Picture1); };
}

void TImageTri::PictureChanged() {
  drawn_.reset();
  // A new look resizes the control as far as its alignment lets it: the aligned side is set by
  // the holder, so left and right alignment keep the height, top and bottom the width, and
  // client alignment both.
  if (!AutoSize || Picture.Width() <= 0 || Picture.Height() <= 0) return;
  using forms::TAlign;
  const bool followsWidth =
      Align == TAlign::alNone || Align == TAlign::alLeft || Align == TAlign::alRight;
  const bool followsHeight =
      Align == TAlign::alNone || Align == TAlign::alTop || Align == TAlign::alBottom;
  if (followsWidth) Width = Picture.Width();
  if (followsHeight) Height = Picture.Height();
}

void TImageTri::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  state_ = enabled ? TState::Normal : TState::Disabled;
  Picture.Assign(Picture1);
  if (!enabled && !Picture3.Empty()) DrawOverlay();
}

void TImageTri::DrawOverlay() {
  // The canvas is the displayed picture, which must hold a bitmap; an empty one is a blank
  // canvas of the control's size.
  forms::TPixels canvas;
  if (const forms::TGraphic* shown = Picture.Graphic()) {
    if (shown->encoding != forms::TPictureEncoding::kBitmap)
      throw forms::Exception("Can only modify an image if it contains a bitmap");
    canvas = forms::DecodeGraphic(*shown);
  } else {
    canvas = forms::TPixels(Width, Height, forms::Rgb(0xFF, 0xFF, 0xFF));
  }
  const forms::TPixels overlay = forms::DecodeGraphic(*Picture3.Graphic());
  // A bitmap drawn transparent leaves out its bottom-left pixel's colour.
  const forms::TPixel transparent = overlay.At(0, overlay.height - 1);
  const int w = canvas.width, h = canvas.height, w3 = overlay.width, h3 = overlay.height;
  int x = 0, y = 0;
  switch (Picture3Pos) {
    case TPicture3Pos::TopLeft:
      break;
    case TPicture3Pos::TopRight:
      x = w - w3;
      break;
    case TPicture3Pos::BottomLeft:
      y = h - h3;
      break;
    case TPicture3Pos::BottomRight:
      x = w - w3;
      y = h - h3;
      break;
  }
  canvas.DrawTransparent(overlay, x, y, transparent);
  drawn_ = std::move(canvas);
}

void TImageTri::MouseEnter() {
  if (!enabled_) return;
  state_ = TState::Hover;
  Picture.Assign(Picture2);
}

void TImageTri::MouseLeave() {
  if (!enabled_) return;
  state_ = TState::Normal;
  Picture.Assign(Picture1);
}

forms::TPixels TImageTri::DisplayedPixels() const {
  if (drawn_) return *drawn_;
  if (const forms::TGraphic* shown = Picture.Graphic()) return forms::DecodeGraphic(*shown);
  return {};
}

forms::TPicture* TImageTri::PictureSlot(std::string_view slot) {
  if (platform::EqualsIgnoreAsciiCase(slot, "Picture1")) return &Picture1;
  if (platform::EqualsIgnoreAsciiCase(slot, "Picture2")) return &Picture2;
  if (platform::EqualsIgnoreAsciiCase(slot, "Picture3")) return &Picture3;
  return forms::TImage::PictureSlot(slot);
}

void TImageTri::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "Enabled")) {
    SetEnabled(BooleanValue(key, value));
    return;
  }
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

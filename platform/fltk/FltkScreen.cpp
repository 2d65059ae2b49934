#include "platform/fltk/FltkScreen.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "platform/fltk/Jpeg.h"

namespace platform {

namespace {

// The classic Windows face, light and shadow colours, so panels and bevels look as designed.
constexpr Color kFace = Rgb(212, 208, 200);
constexpr Color kHighlight = Rgb(255, 255, 255);
constexpr Color kShadow = Rgb(128, 128, 128);
constexpr Color kWindow = Rgb(255, 255, 255);

Fl_Color ToFl(Color c) {
  return fl_rgb_color(static_cast<uchar>(RedOf(c)), static_cast<uchar>(GreenOf(c)),
                      static_cast<uchar>(BlueOf(c)));
}

// FLTK's Xft fonts are named by fontconfig family with a leading style letter: ' ' plain,
// 'B' bold. fontconfig maps the family to the closest face installed (Arial to Liberation
// Sans or Nimbus Sans, MS Sans Serif to DejaVu Sans on a plain Debian).
Fl_Font FontFor(const Font& font) {
  // FLTK keeps a pointer to the name: a deque never moves its elements.
  static std::deque<std::string> names;
  const std::string name = std::string(font.bold ? "B" : " ") + font.face;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<Fl_Font>(FL_FREE_FONT + static_cast<int>(i));
  names.push_back(name);
  const auto index = static_cast<Fl_Font>(FL_FREE_FONT + static_cast<int>(names.size() - 1));
  Fl::set_font(index, names.back().c_str());
  return index;
}

// Frame3D: `width` nested rectangles, light on top and left and dark on the bottom and right
// for a raised edge, the other way round for a lowered one.
void DrawBevel(int x, int y, int w, int h, int width, bool raised) {
  for (int i = 0; i < width; ++i) {
    fl_color(ToFl(raised ? kHighlight : kShadow));
    fl_xyline(x + i, y + i, x + w - 1 - i);
    fl_yxline(x + i, y + i, y + h - 1 - i);
    fl_color(ToFl(raised ? kShadow : kHighlight));
    fl_xyline(x + i, y + h - 1 - i, x + w - 1 - i);
    fl_yxline(x + w - 1 - i, y + i, y + h - 1 - i);
  }
}

void DrawBitmap(const Bitmap& pixels, int x, int y) {
  if (pixels.width <= 0 || pixels.height <= 0) return;
  std::vector<uchar> rgb(pixels.pixels.size() * 3);
  for (std::size_t i = 0; i < pixels.pixels.size(); ++i) {
    rgb[i * 3] = static_cast<uchar>(RedOf(pixels.pixels[i]));
    rgb[i * 3 + 1] = static_cast<uchar>(GreenOf(pixels.pixels[i]));
    rgb[i * 3 + 2] = static_cast<uchar>(BlueOf(pixels.pixels[i]));
  }
  fl_draw_image(rgb.data(), x, y, pixels.width, pixels.height, 3);
}

// FLTK stores the caption's UTF-8 bytes in WM_NAME, whose type STRING means Latin-1, so tools
// that read WM_NAME see a garbled caption. Rewrite it in Latin-1 (other characters as "?");
// _NET_WM_NAME keeps the UTF-8 caption.
void SetLatin1WindowName(Fl_Window& window, const std::string& utf8) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    unsigned code = lead;
    std::size_t length = 1;
    if (lead >= 0xC0 && lead < 0xE0 && i + 1 < utf8.size()) {
      code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      length = 2;
    } else if (lead >= 0xE0) {
      code = '?';
      length = lead >= 0xF0 ? 4 : 3;
    }
    latin1 += static_cast<char>(code <= 0xFF ? code : '?');
    i += length;
  }
  XChangeProperty(fl_display, fl_xid(&window), XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin1.data()),
                  static_cast<int>(latin1.size()));
}

class FltkProgressWindow;

class ProgressFlWindow : public Fl_Window {
 public:
  ProgressFlWindow(FltkProgressWindow& owner, int w, int h, const char* caption)
      : Fl_Window(w, h, caption), owner_(owner) {}
  void draw() override;

 private:
  FltkProgressWindow& owner_;
};

class FltkProgressWindow : public ProgressWindow {
 public:
  explicit FltkProgressWindow(const ProgressWindowLayout& layout)
      : layout_(layout),
        labelFont_(FontFor(layout.labelFont)),
        gaugeFont_(FontFor(layout.gaugeFont)),
        picture_(DecodeJpeg(layout.pictureJpeg)),
        window_(*this, std::max(layout.outerWidth, 1), std::max(layout.outerHeight, 1),
                layout_.caption.c_str()) {
    window_.end();
    window_.callback(
        [](Fl_Widget*, void* self) {
          auto& me = *static_cast<FltkProgressWindow*>(self);
          if (me.OnCloseRequest) me.OnCloseRequest();
        },
        this);
  }
  ~FltkProgressWindow() override { window_.hide(); }

  void Show() override {
    const bool first = !window_.shown();
    window_.show();
    if (first) {
      SetLatin1WindowName(window_, layout_.caption);
      // Painting waits for the next message pump point, as a newly shown window's first paint
      // does on Windows; fitting the window must not paint it on the way.
      fitting_ = true;
      FitAndCentre();
      fitting_ = false;
      window_.redraw();
    }
  }
  void Hide() override { window_.hide(); }
  int GaugeWidth() const override { return layout_.gaugeBounds.width; }
  int GaugeHeight() const override { return layout_.gaugeBounds.height; }
  Color WindowColor() const override { return kWindow; }

  TextMask GaugeText(const std::string& text) override {
    TextMask mask;
    fl_font(gaugeFont_, layout_.gaugeFont.pixelHeight);
    mask.width = static_cast<int>(fl_width(text.c_str()) + 0.5);
    mask.height = fl_height();
    if (mask.width <= 0 || mask.height <= 0) return TextMask{};
    // Black text on white in an off-screen pixmap, read back and cut at half intensity.
    Fl_Offscreen offscreen = fl_create_offscreen(mask.width, mask.height);
    fl_begin_offscreen(offscreen);
    fl_color(FL_WHITE);
    fl_rectf(0, 0, mask.width, mask.height);
    fl_color(FL_BLACK);
    fl_font(gaugeFont_, layout_.gaugeFont.pixelHeight);
    fl_draw(text.c_str(), 0, fl_height() - fl_descent());
    std::vector<uchar> rgb(static_cast<std::size_t>(mask.width * mask.height * 3));
    fl_read_image(rgb.data(), 0, 0, mask.width, mask.height);
    fl_end_offscreen();
    fl_delete_offscreen(offscreen);
    mask.ink.resize(static_cast<std::size_t>(mask.width * mask.height));
    for (std::size_t i = 0; i < mask.ink.size(); ++i) {
      const int level = rgb[i * 3] + rgb[i * 3 + 1] + rgb[i * 3 + 2];
      mask.ink[i] = level < 3 * 128 ? 1 : 0;
    }
    return mask;
  }

  void DrawGauge(int /*percent*/, const Bitmap& pixels) override {
    gauge_ = pixels;
    if (!window_.shown() || !window_.visible()) return;
    // Straight onto the window, not through FLTK's damage and redraw at the next pump.
    window_.make_current();
    DrawGaugeHere();
    XFlush(fl_display);
  }

  void Draw() {
    if (fitting_) return;
    const int w = window_.w();
    const int h = window_.h();
    fl_color(ToFl(kFace));
    fl_rectf(0, 0, w, h);
    DrawBevel(0, 0, w, h, layout_.panelBevel, true);

    const int inset = layout_.panelBevel;
    const int pictureHeight = h - 2 * inset;
    if (!picture_.rgb.empty() && pictureHeight > 0 && layout_.pictureWidth > 0) {
      if (stretched_.width != layout_.pictureWidth || stretched_.height != pictureHeight)
        stretched_ = Stretch(picture_, layout_.pictureWidth, pictureHeight);
      fl_draw_image(stretched_.rgb.data(), inset, inset, stretched_.width, stretched_.height, 3);
    }

    const Rect& label = layout_.labelBounds;
    fl_push_clip(label.left, label.top, label.width, label.height);
    fl_font(labelFont_, layout_.labelFont.pixelHeight);
    fl_color(ToFl(layout_.labelColor));
    fl_draw(layout_.labelText.c_str(), label.left, label.top, label.width, label.height,
            FL_ALIGN_CENTER, nullptr, 0);
    fl_pop_clip();

    const Rect& panel = layout_.gaugePanelBounds;
    DrawBevel(panel.left, panel.top, panel.width, panel.height, layout_.gaugePanelBevel, false);
    DrawGaugeHere();
  }

 private:
  void DrawGaugeHere() {
    DrawBitmap(gauge_, layout_.gaugePanelBounds.left + layout_.gaugeBounds.left,
               layout_.gaugePanelBounds.top + layout_.gaugeBounds.top);
  }

  // The layout gives the window's outer size; X sizes the client area. Once the window
  // manager has framed the window, the client area is fitted so that window and frame together
  // have the outer size, and the whole is centred on the screen.
  void FitAndCentre() {
    window_.wait_for_expose();
    const int frameW = std::max(window_.decorated_w() - window_.w(), 0);
    const int frameH = std::max(window_.decorated_h() - window_.h(), 0);
    const int clientW = std::max(layout_.outerWidth - frameW, 1);
    const int clientH = std::max(layout_.outerHeight - frameH, 1);
    // Borders are alike on the left, right and bottom; the rest of the frame is the title bar.
    const int side = frameW / 2;
    const int outerX = (Fl::w() - layout_.outerWidth) / 2;
    const int outerY = (Fl::h() - layout_.outerHeight) / 2;
    window_.resize(outerX + side, outerY + frameH - side, clientW, clientH);
    window_.size_range(1, 1);
    // The window manager applies the new size in its own time, and a resize clears the
    // window: wait until the server has the size, so that no later drawing is wiped out.
    for (int tries = 0; tries < 200; ++tries) {
      XWindowAttributes now;
      XSync(fl_display, False);
      if (XGetWindowAttributes(fl_display, fl_xid(&window_), &now) && now.width == clientW &&
          now.height == clientH)
        break;
      Fl::wait(0.005);
    }
  }

  ProgressWindowLayout layout_;
  Fl_Font labelFont_;
  Fl_Font gaugeFont_;
  RgbImage picture_;
  RgbImage stretched_;
  Bitmap gauge_;
  bool fitting_ = false;
  ProgressFlWindow window_;
};

void ProgressFlWindow::draw() {
  owner_.Draw();
}

// The stop sign of an error box: a red disc with a white cross.
class StopIcon : public Fl_Widget {
 public:
  StopIcon(int x, int y, int size) : Fl_Widget(x, y, size, size) {}
  void draw() override {
    fl_color(fl_rgb_color(200, 0, 0));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    const int m = w() / 3;
    fl_line(x() + m, y() + m, x() + w() - m, y() + h() - m);
    fl_line(x() + w() - m, y() + m, x() + m, y() + h() - m);
    fl_line_style(0);
  }
};

}  // namespace

FltkScreen::FltkScreen(void* xDisplay) {
  fl_open_display(static_cast<Display*>(xDisplay));
  Fl::visual(FL_RGB);
}

void FltkScreen::ProcessMessages() {
  Fl::check();
}

void FltkScreen::ShowError(const std::string& caption, const std::string& text) {
  constexpr int kMargin = 12;
  constexpr int kIcon = 32;
  constexpr int kTextSize = 14;
  fl_font(FL_HELVETICA, kTextSize);
  int textW = 420;
  int textH = 0;
  fl_measure(text.c_str(), textW, textH, 0);
  textW = std::max(textW, 120);
  textH = std::max(textH, kIcon);
  const int w = kMargin * 3 + kIcon + textW;
  const int h = kMargin * 3 + textH + 26;

  Fl_Double_Window box(w, h);
  box.copy_label(caption.c_str());
  StopIcon icon(kMargin, kMargin, kIcon);
  Fl_Box message(kMargin * 2 + kIcon, kMargin, textW, textH);
  message.copy_label(text.c_str());
  message.labelfont(FL_HELVETICA);
  message.labelsize(kTextSize);
  message.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  Fl_Return_Button ok((w - 80) / 2, h - kMargin - 26, 80, 26, "OK");
  ok.callback([](Fl_Widget* button, void*) { button->window()->hide(); });
  box.end();
  box.set_modal();
  box.position((Fl::w() - w) / 2, (Fl::h() - h) / 2);
  box.show();
  SetLatin1WindowName(box, caption);
  // While the box is open every window's messages are processed, so the progress window
  // repaints when uncovered.
  while (box.shown()) Fl::wait();
}

void FltkScreen::RunMessageLoop(const std::function<bool()>& terminated) {
  // No window of this front can end the loop (the progress window ignores the user's close),
  // so it returns at once, as the terminal front does.
  terminated();
}

std::unique_ptr<ProgressWindow> FltkScreen::OpenProgressWindow(const ProgressWindowLayout& layout) {
  return std::make_unique<FltkProgressWindow>(layout);
}

}  // namespace platform

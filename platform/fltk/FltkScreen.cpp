#include "platform/fltk/FltkScreen.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/fltk/Jpeg.h"
#include "platform/fltk/ProgramIcon.h"

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

// Sends a _NET_WM_STATE change for a mapped window to the window manager, as EWMH asks.
void AddWindowState(Fl_Window& window, const char* state) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = fl_xid(&window);
  event.xclient.message_type = XInternAtom(fl_display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
  event.xclient.data.l[1] = static_cast<long>(XInternAtom(fl_display, state, False));
  event.xclient.data.l[3] = 1;  // a normal application
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// What the window manager lets the user do with the window and which title-bar buttons it
// draws (the Motif hints, which window managers still read).
void SetFunctions(Fl_Window& window, const FormWindowLayout& layout) {
  constexpr long kFunctions = 1, kDecorations = 2;                                    // flags
  constexpr long kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32;  // functions
  constexpr long kBorder = 2, kResizeHandles = 4, kTitle = 8, kMenu = 16, kMinimizeButton = 32,
                 kMaximizeButton = 64;  // decorations
  long hints[5] = {kFunctions | kDecorations, kMove, kBorder | kTitle, 0, 0};
  if (layout.sizeable) {
    hints[1] |= kResize;
    hints[2] |= kResizeHandles;
  }
  if (layout.systemMenu) {
    hints[1] |= kClose;
    hints[2] |= kMenu;
  }
  if (layout.minimizeButton) {
    hints[1] |= kMinimize;
    hints[2] |= kMinimizeButton;
  }
  if (layout.maximizeButton) {
    hints[1] |= kMaximize;
    hints[2] |= kMaximizeButton;
  }
  const Atom motif = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(&window), motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
}

class FltkFormWindow : public FormWindow {
 public:
  // `shownCount` counts the screen's form windows shown.
  FltkFormWindow(const FormWindowLayout& layout, int& shownCount)
      : shownCount_(shownCount),
        layout_(layout),
        window_(std::max(layout.width, 1), std::max(layout.height, 1), layout_.caption.c_str()) {
    window_.end();
    window_.color(ToFl(kFace));
    // FLTK gives a window without a resizable widget a fixed size.
    if (layout.sizeable) window_.resizable(&window_);
    window_.callback(
        [](Fl_Widget*, void* self) {
          auto& me = *static_cast<FltkFormWindow*>(self);
          if (me.OnCloseRequest) me.OnCloseRequest();
        },
        this);
  }
  ~FltkFormWindow() override { Hide(); }

  void Show() override {
    const bool first = !window_.shown();
    if (!shown_) ++shownCount_;
    shown_ = true;
    window_.show();
    if (!first) return;
    SetLatin1WindowName(window_, layout_.caption);
    Place();
    // Once the window manager has the window: it takes state changes only of windows it
    // manages. And FLTK rewrites the hints whenever it sets a fixed window's size.
    if (layout_.stayOnTop) AddWindowState(window_, "_NET_WM_STATE_ABOVE");
    SetFunctions(window_, layout_);
  }
  void Hide() override {
    if (shown_) --shownCount_;
    shown_ = false;
    window_.hide();
  }

 private:
  // Once the window manager has framed the window: the client area sized (from the outer size
  // when the layout gives that), and the frame placed.
  void Place() {
    window_.wait_for_expose();
    const int frameW = std::max(window_.decorated_w() - window_.w(), 0);
    const int frameH = std::max(window_.decorated_h() - window_.h(), 0);
    const int clientW = layout_.clientSize ? window_.w() : std::max(layout_.width - frameW, 1);
    const int clientH = layout_.clientSize ? window_.h() : std::max(layout_.height - frameH, 1);
    const int outerW = clientW + frameW, outerH = clientH + frameH;
    int areaX = 0, areaY = 0, areaW = 0, areaH = 0;
    if (layout_.placement == FormWindowLayout::Placement::kDesktopCenter) {
      areaW = DisplayWidth(fl_display, fl_screen);
      areaH = DisplayHeight(fl_display, fl_screen);
    } else {
      Fl::screen_xywh(areaX, areaY, areaW, areaH, 0);
    }
    int outerX = layout_.left, outerY = layout_.top;
    if (layout_.placement != FormWindowLayout::Placement::kDesigned) {
      outerX = areaX + (areaW - outerW) / 2;
      outerY = areaY + (areaH - outerH) / 2;
    }
    // Borders are alike on the left, right and bottom; the rest of the frame is the title bar.
    const int side = frameW / 2;
    window_.resize(outerX + side, outerY + frameH - side, clientW, clientH);
  }

  int& shownCount_;
  FormWindowLayout layout_;
  Fl_Window window_;
  bool shown_ = false;
};

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

// Every window the program opens carries the program's icon at each size its icon file holds,
// as the Windows build's windows do; the window manager picks the size it shows.
void SetProgramIcons() {
  const std::vector<IconImage> images = ReadIconBitmaps(ProgramIconFile());
  std::vector<std::unique_ptr<Fl_RGB_Image>> icons;
  std::vector<const Fl_RGB_Image*> list;
  for (const IconImage& image : images) {
    icons.push_back(std::make_unique<Fl_RGB_Image>(image.rgba.data(), image.size, image.size, 4));
    list.push_back(icons.back().get());
  }
  // FLTK keeps copies of the images.
  Fl_Window::default_icons(list.data(), static_cast<int>(list.size()));
}

}  // namespace

FltkScreen::FltkScreen(void* xDisplay) {
  fl_open_display(static_cast<Display*>(xDisplay));
  Fl::visual(FL_RGB);
  SetProgramIcons();
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
  // The progress window ignores the user's close: only a form window can end the loop.
  while (!terminated() && shownFormWindows_ > 0) Fl::wait();
}

std::unique_ptr<FormWindow> FltkScreen::OpenFormWindow(const FormWindowLayout& layout) {
  return std::make_unique<FltkFormWindow>(layout, shownFormWindows_);
}

std::unique_ptr<ProgressWindow> FltkScreen::OpenProgressWindow(const ProgressWindowLayout& layout) {
  return std::make_unique<FltkProgressWindow>(layout);
}

}  // namespace platform

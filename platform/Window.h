// The progress window as the front ends see it: a plain description of its layout, pixels and
// text masks, and the few operations the run needs (show, draw the gauge at once, ask for text
// ink in the gauge's font). Everything here is plain data; no front end's types leak out.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// A colour in the Windows layout: lowest byte red, then green, then blue (0x00BBGGRR).
using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
         (static_cast<Color>(blue) << 16);
}
constexpr int RedOf(Color c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// Pixels, row by row from the top left.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  Color At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The ink of a text: true where a glyph covers the pixel. Its size is the text's extent.
struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> ink;

  bool At(int x, int y) const { return ink[static_cast<std::size_t>(y * width + x)] != 0; }
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Font {
  std::string face;  // the family the layout asks for; front ends map it to what they have
  int pixelHeight = 0;
  bool bold = false;
};

// The progress window's layout, in pixels. Every rectangle is relative to its parent:
// the panel fills the client area; the picture, label and gauge panel lie on the panel; the
// gauge lies on the gauge panel.
struct ProgressWindowLayout {
  std::string caption;
  int outerWidth = 0;  // the window's size including its frame and title bar
  int outerHeight = 0;

  int panelBevel = 0;  // raised bevel around the panel that fills the client area

  // Aligned to the panel's left edge inside its bevel, full height, picture stretched to fit.
  int pictureWidth = 0;
  std::span<const std::uint8_t> pictureJpeg;  // may be empty: the area stays blank

  std::string labelText;  // centred in its rectangle, transparent background
  Rect labelBounds;
  Font labelFont;
  Color labelColor = 0;

  Rect gaugePanelBounds;  // with a lowered bevel
  int gaugePanelBevel = 0;

  Rect gaugeBounds;  // on the gauge panel
  Font gaugeFont;
};

// A plain form's window: its caption over an empty client area of the system's face colour.
struct FormWindowLayout {
  enum class Placement {
    kDesigned,       // at (left, top)
    kScreenCenter,   // centred on the primary screen
    kDesktopCenter,  // centred on the desktop, all screens together
  };

  std::string caption;
  // The size of the client area when `clientSize`, else of the whole window with its frame.
  int width = 0;
  int height = 0;
  bool clientSize = false;
  // A border the user can drag to resize, or a single fixed one.
  bool sizeable = true;
  // The title-bar buttons besides close (the system menu's); without a system menu, none.
  bool systemMenu = true;
  bool minimizeButton = true;
  bool maximizeButton = true;
  bool stayOnTop = false;
  Placement placement = Placement::kDesigned;
  int left = 0;  // the frame's top left, for Placement::kDesigned
  int top = 0;
};

class FormWindow {
 public:
  virtual ~FormWindow() = default;

  // Shows the window (placed as its layout says when it first appears) and brings it to the
  // front.
  virtual void Show() = 0;
  virtual void Hide() = 0;

  // Called when the user asks to close the window (title-bar button, Alt+F4). The window stays
  // until its owner hides or destroys it. Called from inside the front's message processing:
  // a handler only takes note.
  std::function<void()> OnCloseRequest;
};

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;

  // Shows the window (centred on the screen when it first appears) and brings it to the front.
  virtual void Show() = 0;
  virtual void Hide() = 0;

  // The size the gauge is drawn at, and the system's window background colour.
  virtual int GaugeWidth() const = 0;
  virtual int GaugeHeight() const = 0;
  virtual Color WindowColor() const = 0;

  // The ink of `text` in the gauge's font. A front end without pixels returns an empty mask.
  virtual TextMask GaugeText(const std::string& text) = 0;

  // Puts a freshly painted gauge on the screen at once, without waiting for the message pump,
  // and keeps it for later repaints of the window. `percent` is the percentage it shows.
  virtual void DrawGauge(int percent, const Bitmap& pixels) = 0;

  // Called when the user asks to close the window (title-bar button, Alt+F4). Without a
  // handler the request is ignored.
  std::function<void()> OnCloseRequest;
};

}  // namespace platform

#include "platform/win32/Win32Screen.h"

#include "platform/win32/Windows.h"

#include "platform/win32/ResourceIds.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"VarnelProgressWindow";
constexpr UINT kNeverPosted = WM_APP + 0x3F00;

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(chars, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), chars);
  return out;
}

// `quality`: DEFAULT_QUALITY, or NONANTIALIASED_QUALITY for text whose pixels are either ink or
// not (the gauge's, whose glyphs invert what lies under them: antialiased glyphs cut at half
// intensity would lose their edges and look thinner than the font is).
HFONT MakeFont(const Font& font, DWORD quality) {
  return CreateFontW(-font.pixelHeight, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality,
                     DEFAULT_PITCH | FF_DONTCARE, Wide(font.face).c_str());
}

// ---------------------------------------------------------------------------------------------
// Scaling with the monitor's DPI. The layout is given for 96 DPI (100 %); the manifest declares
// the program per-monitor DPI aware, so the system does not stretch the window and the window
// scales itself. The per-DPI functions came with Windows 10 1607 (8.1 for the monitor's DPI):
// looked up at run time, so the program still starts on Windows 7.

constexpr int kBaseDpi = 96;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
// shcore's GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI = 0, &x, &y).
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

struct DpiFunctions {
  GetDpiForWindowFunction forWindow =
      SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  GetSystemMetricsForDpiFunction metricForDpi =
      SystemFunction<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  AdjustWindowRectExForDpiFunction adjustForDpi =
      SystemFunction<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
  GetDpiForMonitorFunction forMonitor =
      SystemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
};

const DpiFunctions& Dpi() {
  static const DpiFunctions functions;
  return functions;
}

// The DPI the window is shown at: its monitor's on Windows 8.1 and later, else the system's.
int WindowDpi(HWND hwnd) {
  if (Dpi().forWindow != nullptr)
    if (const UINT dpi = Dpi().forWindow(hwnd); dpi != 0) return static_cast<int>(dpi);
  if (Dpi().forMonitor != nullptr) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(Dpi().forMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) &&
        y != 0)
      return static_cast<int>(y);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int SystemMetric(int index, int dpi) {
  if (Dpi().metricForDpi != nullptr) return Dpi().metricForDpi(index, static_cast<UINT>(dpi));
  return GetSystemMetrics(index);
}

// The width and height the frame and title bar add to a client area at `dpi`.
SIZE FrameSize(int dpi) {
  RECT r{0, 0, 0, 0};
  if (Dpi().adjustForDpi != nullptr) {
    Dpi().adjustForDpi(&r, kWindowStyle, FALSE, 0, static_cast<UINT>(dpi));
    return {r.right - r.left, r.bottom - r.top};
  }
  // Before Windows 10 1607 the frame is known at the system's DPI only.
  AdjustWindowRectEx(&r, kWindowStyle, FALSE, 0);
  const int system = WindowDpi(nullptr);
  return {MulDiv(r.right - r.left, dpi, system), MulDiv(r.bottom - r.top, dpi, system)};
}

int Scale(int value, int dpi) {
  return MulDiv(value, dpi, kBaseDpi);
}

// A rectangle scaled by its edges, so that neighbours stay neighbours.
Rect Scale(const Rect& r, int dpi) {
  const int left = Scale(r.left, dpi), top = Scale(r.top, dpi);
  return {left, top, Scale(r.left + r.width, dpi) - left, Scale(r.top + r.height, dpi) - top};
}

// The layout at `dpi`. Every length is scaled; the gauge is then kept inside its panel's bevel,
// where rounding could otherwise push it a pixel into it. At 96 DPI the layout is unchanged.
ProgressWindowLayout ScaleLayout(const ProgressWindowLayout& base, int dpi) {
  if (dpi == kBaseDpi) return base;
  ProgressWindowLayout out = base;
  const SIZE frame = FrameSize(kBaseDpi), scaledFrame = FrameSize(dpi);
  out.outerWidth = Scale(base.outerWidth - frame.cx, dpi) + scaledFrame.cx;
  out.outerHeight = Scale(base.outerHeight - frame.cy, dpi) + scaledFrame.cy;
  out.panelBevel = Scale(base.panelBevel, dpi);
  out.pictureWidth = Scale(base.pictureWidth, dpi);
  out.labelBounds = Scale(base.labelBounds, dpi);
  out.labelFont.pixelHeight = Scale(base.labelFont.pixelHeight, dpi);
  out.gaugePanelBounds = Scale(base.gaugePanelBounds, dpi);
  out.gaugePanelBevel = Scale(base.gaugePanelBevel, dpi);
  out.gaugeFont.pixelHeight = Scale(base.gaugeFont.pixelHeight, dpi);
  Rect gauge = Scale(base.gaugeBounds, dpi);
  const int bevel = out.gaugePanelBevel;
  gauge.left = std::max(gauge.left, bevel);
  gauge.top = std::max(gauge.top, bevel);
  gauge.width = std::min(gauge.width, out.gaugePanelBounds.width - bevel - gauge.left);
  gauge.height = std::min(gauge.height, out.gaugePanelBounds.height - bevel - gauge.top);
  out.gaugeBounds = gauge;
  return out;
}

// The program's icon at the size the system wants for `metric` (SM_CXICON or SM_CXSMICON) at
// `dpi`; null when the program carries none (the window class's icon stays).
HICON LoadProgramIcon(int metric, int dpi) {
  const int side = SystemMetric(metric, dpi);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(VARNEL_ICON_ID),
                                       IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
}

// The program's icon at a DPI's sizes, given to a window's title bar. The window lets go of its
// old icons when it is given new ones, so those are destroyed only then; the last are destroyed
// with this, after the window. Without an icon in the program the window class's stays.
class ProgramIcons {
 public:
  ProgramIcons() = default;
  ProgramIcons(const ProgramIcons&) = delete;
  ProgramIcons& operator=(const ProgramIcons&) = delete;
  ~ProgramIcons() {
    if (small_ != nullptr) DestroyIcon(small_);
    if (big_ != nullptr) DestroyIcon(big_);
  }
  void Give(HWND hwnd, int dpi) {
    const HICON oldSmall = small_, oldBig = big_;
    small_ = LoadProgramIcon(SM_CXSMICON, dpi);
    big_ = LoadProgramIcon(SM_CXICON, dpi);
    if (small_ != nullptr)
      SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_));
    if (big_ != nullptr) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_));
    if (oldSmall != nullptr) DestroyIcon(oldSmall);
    if (oldBig != nullptr) DestroyIcon(oldBig);
  }

 private:
  HICON small_ = nullptr;
  HICON big_ = nullptr;
};

// A COLORREF is the same layout as our colours.
COLORREF Ref(Color c) {
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// `width` nested rectangles, light on top and left and dark on the bottom and right for a
// raised edge, the other way round for a lowered one.
void DrawBevel(HDC dc, int x, int y, int w, int h, int width, bool raised) {
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ old = SelectObject(dc, raised ? light : dark);
  for (int i = 0; i < width; ++i) {
    SelectObject(dc, raised ? light : dark);
    Line(dc, x + i, y + h - 1 - i, x + i, y + i);
    Line(dc, x + i, y + i, x + w - i, y + i);
    SelectObject(dc, raised ? dark : light);
    Line(dc, x + i, y + h - 1 - i, x + w - i, y + h - 1 - i);
    Line(dc, x + w - 1 - i, y + i, x + w - 1 - i, y + h - 1 - i);
  }
  SelectObject(dc, old);
  DeleteObject(light);
  DeleteObject(dark);
}

// Draws the pixels with their top left at (x, y), stretched to width x height when that is not
// their size (a gauge painted before the DPI changed, until the next one).
void Blit(HDC dc, const Bitmap& pixels, int x, int y, int width, int height) {
  if (pixels.width <= 0 || pixels.height <= 0) return;
  // 32-bit DIB pixels are blue, green, red, unused from the lowest byte up.
  std::vector<std::uint32_t> bgra(pixels.pixels.size());
  for (std::size_t i = 0; i < bgra.size(); ++i) {
    const Color c = pixels.pixels[i];
    bgra[i] = static_cast<std::uint32_t>(BlueOf(c)) |
              (static_cast<std::uint32_t>(GreenOf(c)) << 8) |
              (static_cast<std::uint32_t>(RedOf(c)) << 16);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  if (width == pixels.width && height == pixels.height) {
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(pixels.width), static_cast<DWORD>(pixels.height),
                      0, 0, 0, static_cast<UINT>(pixels.height), bgra.data(), &info,
                      DIB_RGB_COLORS);
  } else {
    StretchDIBits(dc, x, y, width, height, 0, 0, pixels.width, pixels.height, bgra.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
  }
}

// The stored JPEG as a picture object of the system's own image support.
IPicture* LoadPicture(std::span<const std::uint8_t> jpeg) {
  if (jpeg.empty()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, jpeg.size());
  if (memory == nullptr) return nullptr;
  if (void* bytes = GlobalLock(memory)) {
    std::copy(jpeg.begin(), jpeg.end(), static_cast<std::uint8_t*>(bytes));
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  if (FAILED(OleLoadPicture(stream, static_cast<LONG>(jpeg.size()), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture))))
    picture = nullptr;
  stream->Release();
  return picture;
}

// The object behind a window: handed over with its creation, kept in the window's user data
// and found there for every later message; null before it arrives and after it is cleared.
template <class Object>
Object* WindowObject(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Object*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

class Win32ProgressWindow : public ProgressWindow {
 public:
  Win32ProgressWindow(Win32Screen& screen, const ProgressWindowLayout& layout)
      : screen_(screen), base_(layout), layout_(layout), picture_(LoadPicture(layout.pictureJpeg)) {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - layout.outerWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - layout.outerHeight) / 2;
    hwnd_ = CreateWindowExW(0, kWindowClass, Wide(layout.caption).c_str(), kWindowStyle, x, y,
                            layout.outerWidth, layout.outerHeight, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
    screen_.owner = hwnd_;
    if (hwnd_ == nullptr) return;
    // Scaled for the monitor it appears on, and centred again at its scaled size.
    UseDpi(WindowDpi(hwnd_));
    if (layout_.outerWidth != layout.outerWidth || layout_.outerHeight != layout.outerHeight) {
      SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - layout_.outerWidth) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - layout_.outerHeight) / 2, layout_.outerWidth,
                   layout_.outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ~Win32ProgressWindow() override {
    if (screen_.owner == hwnd_) screen_.owner = nullptr;
    if (hwnd_ != nullptr) {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
    if (picture_ != nullptr) picture_->Release();
    ReleaseDpiResources();
  }
  bool Created() const { return hwnd_ != nullptr; }

  void Show() override {
    ShowWindow(hwnd_, SW_SHOW);
    BringWindowToTop(hwnd_);
    SetForegroundWindow(hwnd_);
  }
  void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
  int GaugeWidth() const override { return layout_.gaugeBounds.width; }
  int GaugeHeight() const override { return layout_.gaugeBounds.height; }
  Color WindowColor() const override { return static_cast<Color>(GetSysColor(COLOR_WINDOW)); }

  TextMask GaugeText(const std::string& text) override {
    const std::wstring wide = Wide(text);
    TextMask mask;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, gaugeFont_);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (size.cx > 0 && size.cy > 0) {
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = size.cx;
      info.bmiHeader.biHeight = -size.cy;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (section != nullptr && bits != nullptr) {
        HGDIOBJ oldBitmap = SelectObject(dc, section);
        RECT all{0, 0, size.cx, size.cy};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 0, 0, wide.c_str(), static_cast<int>(wide.size()));
        GdiFlush();
        mask.width = size.cx;
        mask.height = size.cy;
        mask.ink.resize(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy));
        const auto* pixel = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < mask.ink.size(); ++i) {
          const std::uint32_t p = pixel[i];
          const int level = static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
          mask.ink[i] = level < 3 * 128 ? 1 : 0;
        }
        SelectObject(dc, oldBitmap);
      }
      if (section != nullptr) DeleteObject(section);
    }
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    return mask;
  }

  void DrawGauge(int /*percent*/, const Bitmap& pixels) override {
    gauge_ = pixels;
    if (!IsWindowVisible(hwnd_)) return;
    // Straight onto the window, without waiting for a WM_PAINT from the message pump.
    HDC dc = GetDC(hwnd_);
    DrawGaugeOn(dc);
    ReleaseDC(hwnd_, dc);
    GdiFlush();
    // Where windows are composed off screen (Wine keeps a surface per window) the drawing
    // reaches the screen when the program next looks at its message queue. A look for a
    // private message that nobody posts takes nothing from the queue and runs no handler.
    MSG none;
    PeekMessageW(&none, hwnd_, kNeverPosted, kNeverPosted, PM_NOREMOVE | PM_NOYIELD);
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<Win32ProgressWindow>(hwnd, message, lParam);
    if (self != nullptr) {
      switch (message) {
        case WM_CLOSE:
          if (self->OnCloseRequest) self->OnCloseRequest();
          return 0;  // the window goes only when its owner destroys it
        case WM_ERASEBKGND:
          return 1;  // WM_PAINT covers every pixel
        case WM_DPICHANGED: {
          // Moved to a monitor of another DPI, or its scaling changed: the new layout, at the
          // place the system suggests.
          self->UseDpi(HIWORD(wParam));
          const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
          SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, self->layout_.outerWidth,
                       self->layout_.outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
          InvalidateRect(hwnd, nullptr, FALSE);
          return 0;
        }
        case WM_PAINT: {
          PAINTSTRUCT paint;
          HDC dc = BeginPaint(hwnd, &paint);
          self->Paint(dc);
          EndPaint(hwnd, &paint);
          return 0;
        }
        default:
          break;
      }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

 private:
  // Lays the window out for `dpi`: sizes, fonts and title-bar icons.
  void UseDpi(int dpi) {
    if (labelFont_ != nullptr) DeleteObject(labelFont_);
    if (gaugeFont_ != nullptr) DeleteObject(gaugeFont_);
    layout_ = ScaleLayout(base_, dpi);
    labelFont_ = MakeFont(layout_.labelFont, DEFAULT_QUALITY);
    gaugeFont_ = MakeFont(layout_.gaugeFont, NONANTIALIASED_QUALITY);
    icons_.Give(hwnd_, dpi);
  }
  // After the window is destroyed.
  void ReleaseDpiResources() {
    if (labelFont_ != nullptr) DeleteObject(labelFont_);
    if (gaugeFont_ != nullptr) DeleteObject(gaugeFont_);
  }

  void Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int w = client.right, h = client.bottom;
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawBevel(dc, 0, 0, w, h, layout_.panelBevel, true);

    const int inset = layout_.panelBevel;
    const int pictureHeight = h - 2 * inset;
    if (picture_ != nullptr && pictureHeight > 0) {
      OLE_XSIZE_HIMETRIC width = 0;
      OLE_YSIZE_HIMETRIC height = 0;
      picture_->get_Width(&width);
      picture_->get_Height(&height);
      // Picture rows run bottom-up in HIMETRIC: start at the bottom with a negative height.
      picture_->Render(dc, inset, inset, layout_.pictureWidth, pictureHeight, 0, height, width,
                       -height, nullptr);
    }

    const Rect& label = layout_.labelBounds;
    RECT labelRect{label.left, label.top, label.left + label.width, label.top + label.height};
    HGDIOBJ oldFont = SelectObject(dc, labelFont_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Ref(layout_.labelColor));
    const std::wstring text = Wide(layout_.labelText);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &labelRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);

    const Rect& panel = layout_.gaugePanelBounds;
    DrawBevel(dc, panel.left, panel.top, panel.width, panel.height, layout_.gaugePanelBevel, false);
    DrawGaugeOn(dc);
  }

  void DrawGaugeOn(HDC dc) {
    Blit(dc, gauge_, layout_.gaugePanelBounds.left + layout_.gaugeBounds.left,
         layout_.gaugePanelBounds.top + layout_.gaugeBounds.top, layout_.gaugeBounds.width,
         layout_.gaugeBounds.height);
  }

  Win32Screen& screen_;
  const ProgressWindowLayout base_;  // at 96 DPI, as given
  ProgressWindowLayout layout_;      // at the window's DPI
  HFONT labelFont_ = nullptr;
  HFONT gaugeFont_ = nullptr;
  ProgramIcons icons_;  // destroyed after the window
  IPicture* picture_;
  Bitmap gauge_;
  HWND hwnd_ = nullptr;
};

constexpr wchar_t kFormWindowClass[] = L"VarnelFormWindow";

DWORD FormStyle(const FormWindowLayout& layout) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION;
  if (layout.sizeable) style |= WS_THICKFRAME;
  if (layout.systemMenu) style |= WS_SYSMENU;
  if (layout.minimizeButton) style |= WS_MINIMIZEBOX;
  if (layout.maximizeButton) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD FormExStyle(const FormWindowLayout& layout) {
  return layout.stayOnTop ? WS_EX_TOPMOST : 0;
}

// A plain form's window: the caption over the system's face colour, which the window class
// paints.
class Win32FormWindow : public FormWindow {
 public:
  // `shownCount` counts the screen's form windows shown.
  Win32FormWindow(const FormWindowLayout& layout, int& shownCount)
      : layout_(layout), shownCount_(shownCount) {
    hwnd_ = CreateWindowExW(FormExStyle(layout), kFormWindowClass, Wide(layout.caption).c_str(),
                            FormStyle(layout), CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) return;
    const int dpi = WindowDpi(hwnd_);
    icons_.Give(hwnd_, dpi);
    Place(dpi);
  }
  ~Win32FormWindow() override {
    Hide();
    if (hwnd_ != nullptr) {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
  }
  bool Created() const { return hwnd_ != nullptr; }

  void Show() override {
    if (!shown_) ++shownCount_;
    shown_ = true;
    ShowWindow(hwnd_, SW_SHOW);
    BringWindowToTop(hwnd_);
    SetForegroundWindow(hwnd_);
  }
  void Hide() override {
    if (shown_) --shownCount_;
    shown_ = false;
    if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<Win32FormWindow>(hwnd, message, lParam);
    if (self != nullptr) {
      switch (message) {
        case WM_CLOSE:
          if (self->OnCloseRequest) self->OnCloseRequest();
          return 0;  // the window goes only when its owner hides or destroys it
        case WM_DPICHANGED: {
          const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
          const SIZE size = self->OuterSize(HIWORD(wParam));
          SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
          return 0;
        }
        default:
          break;
      }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

 private:
  // The window's outer size at `dpi`: the layout is given for 96 DPI.
  SIZE OuterSize(int dpi) const {
    const DWORD style = FormStyle(layout_), exStyle = FormExStyle(layout_);
    const auto frame = [&](int at) {
      RECT r{0, 0, 0, 0};
      if (Dpi().adjustForDpi != nullptr)
        Dpi().adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(at));
      else
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
      return SIZE{r.right - r.left, r.bottom - r.top};
    };
    const SIZE scaledFrame = frame(dpi);
    if (layout_.clientSize)
      return {Scale(layout_.width, dpi) + scaledFrame.cx,
              Scale(layout_.height, dpi) + scaledFrame.cy};
    const SIZE baseFrame = frame(kBaseDpi);
    return {Scale(layout_.width - baseFrame.cx, dpi) + scaledFrame.cx,
            Scale(layout_.height - baseFrame.cy, dpi) + scaledFrame.cy};
  }

  // Sizes the window for `dpi` and places it as the layout says.
  void Place(int dpi) {
    const SIZE size = OuterSize(dpi);
    int x = layout_.left, y = layout_.top;
    if (layout_.placement == FormWindowLayout::Placement::kDesktopCenter) {
      x = GetSystemMetrics(SM_XVIRTUALSCREEN) +
          (GetSystemMetrics(SM_CXVIRTUALSCREEN) - size.cx) / 2;
      y = GetSystemMetrics(SM_YVIRTUALSCREEN) +
          (GetSystemMetrics(SM_CYVIRTUALSCREEN) - size.cy) / 2;
    } else if (layout_.placement == FormWindowLayout::Placement::kScreenCenter) {
      x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    }
    SetWindowPos(hwnd_, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  FormWindowLayout layout_;
  int& shownCount_;
  HWND hwnd_ = nullptr;
  ProgramIcons icons_;  // destroyed after the window
  bool shown_ = false;
};

}  // namespace

std::unique_ptr<Win32Screen> Win32Screen::Open() {
  // A service or a session without a desktop has no window station to show windows on.
  if (GetProcessWindowStation() == nullptr || GetThreadDesktop(GetCurrentThreadId()) == nullptr)
    return nullptr;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Win32ProgressWindow::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  // The program's icon; each window sets it again at its own DPI's sizes.
  windowClass.hIcon =
      static_cast<HICON>(LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(VARNEL_ICON_ID),
                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  if (windowClass.hIcon == nullptr)
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return nullptr;
  WNDCLASSEXW formClass = windowClass;
  formClass.lpfnWndProc = Win32FormWindow::Procedure;
  formClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  formClass.lpszClassName = kFormWindowClass;
  if (RegisterClassExW(&formClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return nullptr;
  // A window that can really be created: under Wine without a display this fails.
  HWND probe = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  if (probe == nullptr) return nullptr;
  DestroyWindow(probe);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return std::unique_ptr<Win32Screen>(new Win32Screen());
}

Win32Screen::~Win32Screen() {
  CoUninitialize();
}

void Win32Screen::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Screen::ShowError(const std::string& caption, const std::string& text) {
  // Modal over the progress window; the box runs its own message loop, so the window keeps
  // repainting while the user reads.
  MessageBoxW(static_cast<HWND>(owner), Wide(text).c_str(), Wide(caption).c_str(),
              MB_ICONSTOP | MB_OK);
}

void Win32Screen::RunMessageLoop(const std::function<bool()>& terminated) {
  // The progress window ignores the user's close: only a form window can end the loop.
  // `terminated` processes the pending messages; WaitMessage returns when new ones arrive.
  while (!terminated() && shownFormWindows_ > 0) WaitMessage();
}

std::unique_ptr<FormWindow> Win32Screen::OpenFormWindow(const FormWindowLayout& layout) {
  auto window = std::make_unique<Win32FormWindow>(layout, shownFormWindows_);
  if (!window->Created()) return nullptr;
  return window;
}

std::unique_ptr<ProgressWindow> Win32Screen::OpenProgressWindow(
    const ProgressWindowLayout& layout) {
  auto window = std::make_unique<Win32ProgressWindow>(*this, layout);
  if (!window->Created()) return nullptr;
  return window;
}

}  // namespace platform

#include "platform/NativeScreen.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/fltk/FltkScreen.h"
#include "platform/terminal/TerminalScreen.h"

namespace platform {

void UseParentConsole() {}

std::unique_ptr<Screen> MakeNativeScreen(bool window) {
  // Opening the display here, not in FLTK, turns a display that cannot be reached into the
  // terminal front instead of an error that ends the process.
  const char* name = std::getenv("DISPLAY");
  if (window && name != nullptr && *name != '\0') {
    if (Display* display = XOpenDisplay(nullptr)) return std::make_unique<FltkScreen>(display);
  }
  return std::make_unique<TerminalScreen>(stderr, isatty(STDERR_FILENO) != 0);
}

}  // namespace platform

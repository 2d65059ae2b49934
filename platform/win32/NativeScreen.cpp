#include "platform/NativeScreen.h"

#include <io.h>

#include "platform/win32/Windows.h"

#include <cstdio>

#include "platform/terminal/TerminalScreen.h"
#include "platform/win32/Win32Screen.h"

namespace platform {

// A program built for the window subsystem has no console of its own. When its standard error
// leads nowhere, it writes to the console of the program that started it, if there is one.
void UseParentConsole() {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error != nullptr && error != INVALID_HANDLE_VALUE) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::FILE* stream = nullptr;
  freopen_s(&stream, "CONOUT$", "w", stderr);
  freopen_s(&stream, "CONOUT$", "w", stdout);
}

std::unique_ptr<Screen> MakeNativeScreen(bool window) {
  if (window)
    if (auto screen = Win32Screen::Open()) return screen;
  UseParentConsole();
  return std::make_unique<TerminalScreen>(stderr, _isatty(_fileno(stderr)) != 0);
}

}  // namespace platform

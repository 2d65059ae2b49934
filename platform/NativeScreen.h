// The screen of the machine the program runs on, for program main.
#pragma once

#include <memory>

#include "platform/Screen.h"

namespace platform {

// A window front when a window can be had (Win32; FLTK on a Linux display), the terminal front
// otherwise: the run writes the same files and ends with the same exit code either way.
// With `window` false, the terminal front always (unattended runs).
std::unique_ptr<Screen> MakeNativeScreen(bool window = true);

// Standard output and error lead to the console the program was started from, also for a
// Windows program built for the window subsystem; nothing to do elsewhere.
void UseParentConsole();

}  // namespace platform

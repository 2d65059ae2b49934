// The screen of the machine the program runs on, for program main.
#pragma once

#include <memory>

#include "platform/Screen.h"

namespace platform {

// A window front when a window can be had (Win32; FLTK on a Linux display), the terminal front
// otherwise: the run writes the same files and ends with the same exit code either way.
std::unique_ptr<Screen> MakeNativeScreen();

}  // namespace platform

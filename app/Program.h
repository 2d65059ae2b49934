// Program main of the installer, apart from choosing the operating system's pieces.
#pragma once

#include <functional>

#include "platform/FileSystem.h"
#include "platform/Screen.h"

namespace varnel {

// The application title: the caption of every error box.
inline constexpr const char* kApplicationTitle = "Varnel Configuração de ambiente";

// Runs the installer: creates the hidden path form, then the main form, whose creation does
// the whole installation and ends the process through `exitProcess`. Returns the exit code
// when `exitProcess` hands control back by throwing forms::ProcessExit (tests do).
int RunInstaller(platform::FileSystem& fs, platform::Screen& screen,
                 std::function<void(int)> exitProcess);

}  // namespace varnel

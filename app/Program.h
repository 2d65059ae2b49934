// Program main of the installer, apart from choosing the operating system's pieces.
#pragma once

#include <functional>

#include "export/InstallRoot.h"
#include "export/PictureSinks.h"
#include "export/RunEvents.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"

namespace varnel {

// The application title: the caption of every error box.
inline constexpr const char* kApplicationTitle = "Varnel Configuração de ambiente";

// What one installer run works with, apart from the run context it builds from them.
struct RunSetup {
  platform::FileSystem& files;
  const InstallRoot& root;
  platform::Screen& screen;
  // Ends the process with the run's exit code; tests pass one that throws forms::ProcessExit.
  std::function<void(int)> exitProcess;
  // Where the pictures go; null: written to their files through `files`.
  PictureSink* sink = nullptr;
  // Who hears the run's events; null: nobody.
  RunEvents* events = nullptr;
};

// Runs the installer: confines `files` to the install root (see FileSystem::Confine), creates
// the hidden path form, then the main form, whose creation does
// the whole installation and ends the process through `exitProcess`. Returns the exit code
// when `exitProcess` hands control back by throwing forms::ProcessExit (tests do).
int RunInstaller(const RunSetup& setup);

}  // namespace varnel

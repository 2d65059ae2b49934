// The real operating system's pieces, for program main.
#pragma once

#include <memory>

#include "platform/FileSystem.h"

namespace platform {

// The file system of the machine the program runs on (Win32 or POSIX).
std::unique_ptr<FileSystem> MakeNativeFileSystem();

}  // namespace platform

#include "platform/Native.h"

#include "platform/win32/Win32FileSystem.h"

namespace platform {

std::unique_ptr<FileSystem> MakeNativeFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace platform

#include "platform/Native.h"

#include "platform/posix/PosixFileSystem.h"

namespace platform {

std::unique_ptr<FileSystem> MakeNativeFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace platform

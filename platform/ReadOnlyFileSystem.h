// A view of another file system that reads but never changes anything: every call that would
// create, write, move or delete fails with "access denied" without reaching the disk. The
// plan-based modes (--list, --verify) run the installer over it.
#pragma once

#include "platform/FileSystem.h"

namespace platform {

class ReadOnlyFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  Status SetCurrentDirectory(const std::string&) override { return Refused(); }
  Status CreateDirectory(const std::string&) override { return Refused(); }
  Status CreateFile(const std::string&, bool, std::unique_ptr<File>&) override { return Refused(); }
  Status OpenForAppend(const std::string&, std::unique_ptr<File>&) override { return Refused(); }
  Status MoveReplace(const std::string&, const std::string&) override { return Refused(); }
  Status DeleteFile(const std::string&) override { return Refused(); }

 private:
  Status Refused() { return Error(SysError::kAccessDenied); }
};

}  // namespace platform

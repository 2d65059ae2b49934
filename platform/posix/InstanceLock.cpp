#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/PosixFileSystem.h"

namespace platform {

namespace {

// An advisory lock on the install root folder itself, so that nothing is created for it.
class FolderLock : public InstanceLock {
 public:
  explicit FolderLock(int fd) : fd_(fd) {}
  ~FolderLock() override {
    if (fd_ >= 0) ::close(fd_);
  }

 private:
  int fd_;
};

class NoLock : public InstanceLock {};

}  // namespace

std::unique_ptr<InstanceLock> LockInstallRoot(const std::string& installRoot) {
  PosixFileSystem files;
  std::string host;
  const int fd = !files.HostPath(installRoot, host).ok()
                     ? -1
                     : ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return std::make_unique<NoLock>();
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return nullptr;
    return std::make_unique<NoLock>();
  }
  return std::make_unique<FolderLock>(fd);
}

}  // namespace platform

#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/posix/PosixFileSystem.h"

namespace platform {

namespace {

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

class RootLocks : public InstanceLock {
 public:
  ~RootLocks() override {
    // The lock file goes while it is still locked and still the one the name stands for, so
    // no other run can have taken it meanwhile. A file another run holds stays.
    if (file >= 0 && holdsFile) {
      struct stat mine {
      }, named{};
      if (::fstat(file, &mine) == 0 &&
          ::fstatat(root, kRootLockFileName, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
          mine.st_dev == named.st_dev && mine.st_ino == named.st_ino)
        ::unlinkat(root, kRootLockFileName, 0);
    }
    if (file >= 0) ::close(file);
    for (const int fd : {machine, folder, root})
      if (fd >= 0) ::close(fd);
  }

  int root = -1;     // the install root, as the run reaches it
  int folder = -1;   // the root opened for reading, with flock on it
  int machine = -1;  // the socket bound to this machine's name for the root
  int file = -1;     // the lock file in the root
  // This run locked the lock file (or, where the file system has no locks, this machine's
  // name for the root), so it deletes the file at the end.
  bool holdsFile = false;
};

RootLock Held() {
  RootLock result;
  result.outcome = RootLock::Outcome::kHeld;
  return result;
}

RootLock Failed(std::string reason) {
  RootLock result;
  result.reason = std::move(reason);
  return result;
}

// A write lock on the first byte, the byte a Windows run locks with LockFileEx. An open file
// description lock belongs to this open file alone, not to the process.
int LockFirstByte(int fd) {
  struct flock range {};
  range.l_type = F_WRLCK;
  range.l_whence = SEEK_SET;
  range.l_start = 0;
  range.l_len = 1;
  if (::fcntl(fd, F_OFD_SETLK, &range) == 0) return 0;
  if (errno != EINVAL) return errno;
  return ::fcntl(fd, F_SETLK, &range) == 0 ? 0 : errno;  // a kernel without them
}

// This machine's lock on the folder: a name made of its device and inode in the abstract
// socket namespace. Any user's run can bind it, nothing is left on disk, and it goes with the
// process. 0, EADDRINUSE when another run holds it, or the error.
int LockMachineName(RootLocks& locks) {
  struct stat folder {};
  if (::fstat(locks.root, &folder) != 0) return errno;
  const std::string name =
      "varnel-instalador:" + std::to_string(folder.st_dev) + ":" + std::to_string(folder.st_ino);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());  // sun_path[0] = 0: abstract
  locks.machine = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (locks.machine < 0) return errno;
  if (::bind(locks.machine, reinterpret_cast<const sockaddr*>(&address),
             static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())) != 0)
    return errno;
  return 0;
}

}  // namespace

RootLock LockInstallRoot(const std::string& installRoot) {
  PosixFileSystem files;
  // The root the run will use: the folder the run was started in when the root spells it.
  files.Confine(installRoot);
  std::string host;
  if (Status s = files.HostPath(installRoot, host); !s.ok())
    return Failed("the folder cannot be found. " + s.text());
  auto locks = std::make_unique<RootLocks>();
  locks->root = ::open(host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (locks->root < 0)
    return Failed("the folder cannot be opened. " + files.ErrnoError(errno, true).text());

  // The folder itself, as other programs may lock it too; that needs the folder to be
  // readable. When it is not, the lock file stands for it.
  locks->folder = ::openat(locks->root, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (locks->folder >= 0 && ::flock(locks->folder, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return Held();
    ::close(locks->folder);
    locks->folder = -1;
  }

  // The lock file in the root, which runs on this machine and on others lock alike. A previous
  // holder deletes it while it still holds it, so a file this run locked that no longer carries
  // the name is let go and the name opened again.
  const std::string file = std::string("the lock file ") + kRootLockFileName;
  const std::string notAFile =
      "something other than a file stands at " + std::string(kRootLockFileName) + " there.";
  for (int attempt = 0;; ++attempt) {
    const int fd = ::openat(locks->root, kRootLockFileName,
                            O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == ELOOP || errno == EISDIR || errno == ENXIO) return Failed(notAFile);
      return Failed(file + " cannot be created there. " + files.ErrnoError(errno, true).text());
    }
    locks->file = fd;
    struct stat mine {};
    if (::fstat(fd, &mine) != 0 || !S_ISREG(mine.st_mode)) return Failed(notAFile);
    // Any user's run must be able to open it for writing to lock it.
    if (mine.st_uid == ::geteuid() && (mine.st_mode & 0666) != 0666) (void)::fchmod(fd, 0666);
    const int error = LockFirstByte(fd);
    if (error == EAGAIN || error == EACCES) return Held();
    if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL) {
      // A file system without locks (a network mount without its lock service): the runs of
      // this machine, which all meet the same file system, exclude each other by its name.
      if (const int machine = LockMachineName(*locks); machine != 0) {
        if (machine == EADDRINUSE) return Held();
        return Failed("this machine's lock cannot be taken. " + Trimmed(std::strerror(machine)) +
                      ".");
      }
      locks->holdsFile = true;
      break;
    }
    if (error != 0)
      return Failed(file + " cannot be locked. " + Trimmed(std::strerror(error)) + ".");
    struct stat named {};
    if (::fstatat(locks->root, kRootLockFileName, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == mine.st_dev && named.st_ino == mine.st_ino) {
      locks->holdsFile = true;
      break;
    }
    ::close(fd);
    locks->file = -1;
    if (attempt >= 100) return Failed(file + " keeps being replaced.");
  }
  RootLock result;
  result.outcome = RootLock::Outcome::kTaken;
  result.lock = std::move(locks);
  return result;
}

}  // namespace platform

// Keeps two installer runs from working on one install root at once: a double click twice, two
// users of one machine, or two machines that share the root on a file server.
//
// The lock lives in the root itself, so that runs on this machine and on others meet it: a
// write lock on the first byte of the file "~instalador.lock" in the root (LockFileEx on
// Windows, an open file description lock on Linux; a file server maps the one onto the other).
// The file is deleted, still locked, when the lock is given up; only a run that is killed
// leaves it, and the next run takes it over and deletes it in turn. Beside it, as before, a
// Windows run takes a named mutex, and a Linux run an advisory lock on the root folder when it
// can read it. On a file system without locks, a Linux run locks a name made of the folder's
// device and inode in the abstract socket namespace instead, which excludes the runs of its own
// machine only.
#pragma once

#include <memory>
#include <string>

namespace platform {

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
};

// What became of taking an install root.
struct RootLock {
  enum class Outcome {
    kTaken,   // `lock` holds the root until it is destroyed or the process ends
    kHeld,    // another run holds it
    kFailed,  // it could not be taken; `reason` says why
  };
  Outcome outcome = Outcome::kFailed;
  std::unique_ptr<InstanceLock> lock;
  // For kFailed: what could not be done, with the system's text ("the lock file ... cannot be
  // created there. Access is denied.").
  std::string reason;
};

// The lock file's name in the install root.
inline constexpr const char* kRootLockFileName = "~instalador.lock";

// Takes the install root `installRoot` (in the form the program composes its paths, e.g.
// "c:\vexon7") for this process. A run that cannot take it for any reason must not go on:
// nothing else keeps it from working beside another run. The locks go with the process, also
// when it is killed; the lock file is deleted when `lock` is destroyed.
RootLock LockInstallRoot(const std::string& installRoot);

}  // namespace platform

// Keeps two installer runs from working on one install root at once (a double click twice).
#pragma once

#include <memory>
#include <string>

namespace platform {

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
};

// Takes the install root `installRoot` (in the form the program composes its paths, e.g.
// "c:\vexon7") for this process, or returns null when another process holds it. The lock goes
// with the process, also when it is killed. A lock that cannot be set up for another reason
// does not stop the run.
std::unique_ptr<InstanceLock> LockInstallRoot(const std::string& installRoot);

}  // namespace platform

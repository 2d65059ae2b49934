// The lock that lives in the install root itself (see platform/InstanceLock.h), on Windows.
#pragma once

#include <string>

#include "platform/InstanceLock.h"

namespace platform {

// Locks the first byte of the lock file in `installRoot` with LockFileEx, creating the file
// when it is not there; the lock deletes the file, still locked, when it is destroyed.
RootLock LockRootFile(const std::string& installRoot);

}  // namespace platform

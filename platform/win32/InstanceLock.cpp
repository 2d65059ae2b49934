#include "platform/InstanceLock.h"

#include "platform/win32/Windows.h"

#include "platform/Text.h"
#include "platform/win32/RootFileLock.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform {

namespace {

// A named mutex per install root, in the user's session; Windows drops it with the process.
class MutexLock : public InstanceLock {
 public:
  MutexLock(HANDLE handle, std::unique_ptr<InstanceLock> file)
      : handle_(handle), file_(std::move(file)) {}
  ~MutexLock() override {
    file_.reset();
    if (handle_ != nullptr) CloseHandle(handle_);
  }

 private:
  HANDLE handle_;
  std::unique_ptr<InstanceLock> file_;  // the lock file in the root, for other machines
};

RootLock Failed(std::string reason) {
  RootLock result;
  result.reason = std::move(reason);
  return result;
}

}  // namespace

RootLock LockInstallRoot(const std::string& installRoot) {
  // Mutex names may not hold a backslash; the root is compared without regard to case.
  std::string key = LowerAscii(installRoot);
  for (char& c : key)
    if (c == '\\' || c == '/') c = '|';
  while (key.size() > 1 && key.back() == '|') key.pop_back();
  std::wstring name;
  if (!Widen("Local\\VarnelInstalador:" + key, name))
    return Failed("its name cannot be used for a lock.");
  const HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
  if (handle == nullptr)
    return Failed("this machine's lock cannot be taken. " +
                  Win32FileSystem().ErrorText(static_cast<SysError>(GetLastError())));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    RootLock held;
    held.outcome = RootLock::Outcome::kHeld;
    return held;
  }
  // Runs on other machines meet the lock file in the root.
  RootLock file = LockRootFile(installRoot);
  if (file.outcome != RootLock::Outcome::kTaken) {
    CloseHandle(handle);
    return file;
  }
  file.lock = std::make_unique<MutexLock>(handle, std::move(file.lock));
  return file;
}

}  // namespace platform

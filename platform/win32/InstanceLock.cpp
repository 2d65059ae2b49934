#include "platform/InstanceLock.h"

#include "platform/win32/Windows.h"

#include "platform/Text.h"
#include "platform/win32/RootFileLock.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform {

namespace {

// A named mutex per install root, seen by every session of the machine; Windows drops it with
// the process.
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
  // Open to everyone, so that a run of another account (a deployment agent running as SYSTEM)
  // finds this one's mutex instead of being refused access to it.
  SECURITY_DESCRIPTOR everyone;
  InitializeSecurityDescriptor(&everyone, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&everyone, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &everyone, FALSE};
  // The global namespace reaches every session of the machine; the session's own namespace is
  // taken only where the global one is refused.
  HANDLE handle = nullptr;
  DWORD error = ERROR_SUCCESS;
  for (const char* space : {"Global\\", "Local\\"}) {
    std::wstring name;
    if (!Widen(std::string(space) + "VarnelInstalador:" + key, name))
      return Failed("its name cannot be used for a lock.");
    handle = CreateMutexW(&attributes, FALSE, name.c_str());
    error = GetLastError();
    if (handle != nullptr || error != ERROR_ACCESS_DENIED) break;
  }
  if (handle == nullptr)
    return Failed("this machine's lock cannot be taken. " +
                  Win32FileSystem().ErrorText(static_cast<SysError>(error)));
  if (error == ERROR_ALREADY_EXISTS) {
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

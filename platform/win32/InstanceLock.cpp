#include "platform/InstanceLock.h"

#include "platform/win32/Windows.h"

#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform {

namespace {

// A named mutex per install root, in the user's session; Windows drops it with the process.
class MutexLock : public InstanceLock {
 public:
  explicit MutexLock(HANDLE handle) : handle_(handle) {}
  ~MutexLock() override {
    if (handle_ != nullptr) CloseHandle(handle_);
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<InstanceLock> LockInstallRoot(const std::string& installRoot) {
  // Mutex names may not hold a backslash; the root is compared without regard to case.
  std::string key = LowerAscii(installRoot);
  for (char& c : key)
    if (c == '\\' || c == '/') c = '|';
  while (key.size() > 1 && key.back() == '|') key.pop_back();
  std::wstring name;
  if (!Widen("Local\\VarnelInstalador:" + key, name)) return std::make_unique<MutexLock>(nullptr);
  const HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
  if (handle == nullptr) return std::make_unique<MutexLock>(nullptr);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<MutexLock>(handle);
}

}  // namespace platform

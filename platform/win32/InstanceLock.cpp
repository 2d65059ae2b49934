#include "platform/InstanceLock.h"

#include "platform/win32/Windows.h"

#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform {

namespace {

// A named mutex per install root, seen by every session of the machine; Windows drops it with
// the process.
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
  // Open to everyone, so that a run of another account (a deployment agent running as SYSTEM)
  // finds this one's mutex instead of being refused access to it.
  SECURITY_DESCRIPTOR everyone;
  InitializeSecurityDescriptor(&everyone, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&everyone, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &everyone, FALSE};
  // The global namespace reaches every session of the machine; the session's own namespace is
  // taken only where the global one is refused.
  for (const char* space : {"Global\\", "Local\\"}) {
    std::wstring name;
    if (!Widen(std::string(space) + "VarnelInstalador:" + key, name)) break;
    const HANDLE handle = CreateMutexW(&attributes, FALSE, name.c_str());
    if (handle == nullptr) {
      if (GetLastError() == ERROR_ACCESS_DENIED) continue;
      break;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(handle);
      return nullptr;
    }
    return std::make_unique<MutexLock>(handle);
  }
  return std::make_unique<MutexLock>(nullptr);
}

}  // namespace platform

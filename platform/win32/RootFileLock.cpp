#include "platform/win32/RootFileLock.h"

#include "platform/win32/Windows.h"

#include "platform/win32/Win32FileSystem.h"

namespace platform {

namespace {

class FileLock : public InstanceLock {
 public:
  explicit FileLock(HANDLE handle) : handle_(handle) {}
  ~FileLock() override {
    // Deleted while still locked: the name goes when the handle closes, which also ends the
    // lock, so no other run can have taken the file meanwhile.
    // (Its one member is named after a macro of <windows.h>, so it is set by position.)
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(handle_, FileDispositionInfo, &disposition, sizeof disposition);
    CloseHandle(handle_);
  }

 private:
  HANDLE handle_;
};

RootLock Outcome(RootLock::Outcome outcome, std::string reason = std::string()) {
  RootLock result;
  result.outcome = outcome;
  result.reason = std::move(reason);
  return result;
}

// The system's text for a Win32 error code.
std::string Text(Win32FileSystem& files, DWORD code) {
  return files.ErrorText(static_cast<SysError>(code));
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

RootLock LockRootFile(const std::string& installRoot) {
  Win32FileSystem files;
  std::wstring path;
  if (!Widen(files.FullPath(installRoot + "\\" + kRootLockFileName), path))
    return Outcome(RootLock::Outcome::kFailed, "its name cannot be used for a lock file.");
  // The long-path form where the plain calls would not take the path.
  if (path.size() >= MAX_PATH - 12 && path.rfind(L"\\\\", 0) != 0) path = L"\\\\?\\" + path;
  const std::string file = std::string("the lock file ") + kRootLockFileName;
  const std::string notAFile =
      "something other than a file stands at " + std::string(kRootLockFileName) + " there.";
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  for (int attempt = 0;; ++attempt) {
    // A link standing at the name is opened as itself, never followed.
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kShareAll, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      const DWORD attributes = GetFileAttributesW(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return Outcome(RootLock::Outcome::kFailed, notAFile);
      // A file a previous holder is deleting refuses new opens for a moment.
      if (error == ERROR_ACCESS_DENIED && attempt < 50) {
        Sleep(20);
        continue;
      }
      return Outcome(RootLock::Outcome::kFailed,
                     file + " cannot be created there. " + Text(files, error));
    }
    BY_HANDLE_FILE_INFORMATION mine{};
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (!GetFileInformationByHandle(handle, &mine) ||
        (mine.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))) {
      CloseHandle(handle);
      return Outcome(RootLock::Outcome::kFailed, notAFile);
    }
    OVERLAPPED firstByte{};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                    &firstByte)) {
      const DWORD error = GetLastError();
      CloseHandle(handle);
      if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return Outcome(RootLock::Outcome::kHeld);
      return Outcome(RootLock::Outcome::kFailed, file + " cannot be locked. " + Text(files, error));
    }
    // A previous holder deletes the file while it still holds it: the lock counts only on the
    // file the name still stands for.
    const HANDLE named = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    BY_HANDLE_FILE_INFORMATION now{};
    const bool same = named != INVALID_HANDLE_VALUE && GetFileInformationByHandle(named, &now) &&
                      SameFile(mine, now);
    if (named != INVALID_HANDLE_VALUE) CloseHandle(named);
    if (same) {
      RootLock taken = Outcome(RootLock::Outcome::kTaken);
      taken.lock = std::make_unique<FileLock>(handle);
      return taken;
    }
    CloseHandle(handle);
    if (attempt >= 100) return Outcome(RootLock::Outcome::kFailed, file + " keeps being replaced.");
  }
}

}  // namespace platform

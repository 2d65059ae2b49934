#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Windows.h"

#include <algorithm>
#include <limits>

namespace platform {

namespace {

// Longest path the plain (unprefixed) calls take: CreateDirectoryW stops at MAX_PATH - 12, the
// others at MAX_PATH including the terminating NUL.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

// Calls `get(buffer, size)` -- an API that returns the length it needs (with the NUL) when the
// buffer is too small, the length it wrote (without the NUL) otherwise, 0 on failure -- until
// the text fits, so no length is fixed in advance.
template <typename Get>
bool ReadSystemString(Get get, std::wstring& out) {
  DWORD size = get(nullptr, 0);
  while (size != 0) {
    std::wstring buffer(size, L'\0');
    const DWORD written = get(buffer.data(), size);
    if (written == 0) return false;
    if (written < size) {
      buffer.resize(written);
      out = std::move(buffer);
      return true;
    }
    size = written;  // the text grew between the two calls
  }
  return false;
}

bool FullPathW(const std::wstring& path, std::wstring& out) {
  return ReadSystemString(
      [&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
      },
      out);
}

// Windows refuses to overwrite or replace a file that carries the read-only attribute. Where the
// attribute stands on host permissions that the process may override (Wine run as root), the
// refusal would not come, so it is made here too; on Windows the check only repeats the system's.
bool IsReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A junction, symbolic link or other reparse point stands at the path.
bool IsReparsePoint(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring Lower(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A full path in the form the file calls take: with the long-path prefix when it is long.
std::wstring LongForm(const std::wstring& full) {
  if (full.size() < kPlainPathLimit || full.rfind(L"\\\\?\\", 0) == 0 ||
      full.rfind(L"\\\\.\\", 0) == 0)
    return full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace

bool Widen(const std::string& utf8, std::wstring& out) {
  out.clear();
  if (utf8.empty()) return true;
  if (utf8.find('\0') != std::string::npos) return false;
  if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
  const int length = static_cast<int>(utf8.size());
  const int wide =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (wide <= 0) return false;
  out.resize(static_cast<std::size_t>(wide));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, out.data(),
                             wide) == wide;
}

std::string Narrow(const std::wstring& utf16) {
  if (utf16.empty()) return std::string();
  const int length = static_cast<int>(utf16.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), bytes, nullptr, nullptr);
  return out;
}

class Win32File : public File {
 public:
  Win32File(Win32FileSystem& fs, HANDLE handle) : fs_(fs), handle_(handle) {}
  ~Win32File() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  Status WriteParts(std::span<const std::span<const std::uint8_t>> parts) override {
    for (const auto& part : parts) {
      std::size_t done = 0;
      while (done < part.size()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(part.size() - done, std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!WriteFile(handle_, part.data() + done, chunk, &written, nullptr))
          return fs_.SystemError();
        // A disk file that takes nothing more is full.
        if (written == 0) return fs_.Error(SysError::kDiskFull);
        done += written;
      }
    }
    return Status();
  }

  Status Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return Status();
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle)) return fs_.SystemError();
    return Status();
  }

 private:
  Win32FileSystem& fs_;
  HANDLE handle_;
};

Status Win32FileSystem::SystemError() {
  const DWORD code = GetLastError();
  return Error(static_cast<SysError>(code));
}

Status Win32FileSystem::ApiPath(const std::string& path, std::wstring& out) {
  if (!Widen(path, out)) return Error(SysError::kInvalidName);
  std::wstring full;
  if (!FullPathW(out, full) || full.size() < kPlainPathLimit) return Status();
  // Already a device or long-path name: nothing to add.
  if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) {
    out = std::move(full);
  } else if (full.rfind(L"\\\\", 0) == 0) {
    out = L"\\\\?\\UNC\\" + full.substr(2);
  } else {
    out = L"\\\\?\\" + full;
  }
  return Status();
}

Win32FileSystem::~Win32FileSystem() {
  for (const auto& [folder, handle] : folders_) CloseHandle(handle);
}

void Win32FileSystem::Confine(const std::string& root) {
  for (const auto& [folder, handle] : folders_) CloseHandle(handle);
  folders_.clear();
  root_.clear();
  std::wstring wide, full;
  if (!Widen(root, wide) || !FullPathW(wide, full)) return;
  while (!full.empty() && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  root_ = Lower(full);
}

Status Win32FileSystem::CheckFolder(const std::wstring& folder) {
  const std::wstring key = Lower(folder);
  if (folders_.count(key) != 0) return Status();
  const std::wstring path = LongForm(folder);
  // Without FILE_SHARE_DELETE: while the handle is open, nobody renames, deletes or replaces
  // the folder it names.
  const HANDLE handle = CreateFileW(
      path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const Status failed = SystemError();
    if (failed.code() == SysError::kFileNotFound) return Error(SysError::kPathNotFound);
    return failed;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool folderNoLink = GetFileInformationByHandle(handle, &info) &&
                            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                            !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                            // Wine shows a host's symbolic link as a reparse point only here.
                            !IsReparsePoint(path);
  if (!folderNoLink) {
    CloseHandle(handle);
    // A link, or a file, where a folder should be: the path is not found.
    return Error(SysError::kPathNotFound);
  }
  if (folders_.size() < kFolderHandles) {
    folders_.emplace(key, handle);
  } else {
    CloseHandle(handle);
  }
  return Status();
}

Status Win32FileSystem::CheckedPath(const std::string& path, std::wstring& out, bool lastIsFolder,
                                    bool* below) {
  if (below != nullptr) *below = false;
  if (Status s = ApiPath(path, out); !s.ok()) return s;
  if (root_.empty()) return Status();
  std::wstring full;
  if (!FullPathW(out, full)) return Status();
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  // Compared in its plain form, as the root is.
  if (full.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    full = L"\\\\" + full.substr(8);
  } else if (full.rfind(L"\\\\?\\", 0) == 0) {
    full = full.substr(4);
  }
  const std::wstring lower = Lower(full);
  if (lower.size() <= root_.size() + 1 || lower.compare(0, root_.size(), root_) != 0 ||
      lower[root_.size()] != L'\\')
    return Status();
  if (below != nullptr) *below = true;
  // Each folder from the first below the root down to the last name's folder (or the last
  // name itself).
  for (std::size_t cut = full.find(L'\\', root_.size() + 1);; cut = full.find(L'\\', cut + 1)) {
    if (cut == std::wstring::npos) {
      if (lastIsFolder) return CheckFolder(full);
      return Status();
    }
    if (Status s = CheckFolder(full.substr(0, cut)); !s.ok()) return s;
  }
}

Status Win32FileSystem::CurrentDirectory(std::string& directory) {
  directory.clear();
  std::wstring wide;
  if (!ReadSystemString(
          [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }, wide))
    return SystemError();
  directory = Narrow(wide);
  return Status();
}

Status Win32FileSystem::SetCurrentDirectory(const std::string& path) {
  std::wstring wide, checked;
  if (Status s = CheckedPath(path, checked, /*lastIsFolder=*/true); !s.ok()) return s;
  if (!Widen(path, wide)) return Error(SysError::kInvalidName);
  if (SetCurrentDirectoryW(wide.c_str())) return Status();
  const Status failed = SystemError();
  // A long folder may still be reachable through its prefixed name.
  std::wstring prefixed;
  if (!ApiPath(path, prefixed).ok() || prefixed == wide) return failed;
  if (!SetCurrentDirectoryW(prefixed.c_str())) return SystemError();
  return Status();
}

Status Win32FileSystem::CreateDirectory(const std::string& path) {
  std::wstring wide;
  if (Status s = CheckedPath(path, wide, false); !s.ok()) return s;
  if (!CreateDirectoryW(wide.c_str(), nullptr)) return SystemError();
  return Status();
}

Status Win32FileSystem::CreateFile(const std::string& path, bool mustBeNew,
                                   std::unique_ptr<File>& file) {
  file.reset();
  std::wstring wide;
  bool below = false;
  if (Status s = CheckedPath(path, wide, false, &below); !s.ok()) return s;
  if (!mustBeNew && IsReadOnlyFile(wide)) return Error(SysError::kAccessDenied);
  // A link at the end of a path below the root is never written through.
  if (!mustBeNew && below && IsReparsePoint(wide)) return Error(SysError::kAccessDenied);
  const HANDLE handle =
      CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                  mustBeNew ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const Status failed = SystemError();
    // A new file is refused whatever already stands there, a folder included.
    if (mustBeNew && failed.code() != SysError::kFileExists &&
        GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
      return Error(SysError::kFileExists);
    return failed;
  }
  file = std::make_unique<Win32File>(*this, handle);
  return Status();
}

Status Win32FileSystem::OpenForAppend(const std::string& path, std::unique_ptr<File>& file) {
  file.reset();
  std::wstring wide;
  if (Status s = ApiPath(path, wide); !s.ok()) return s;
  // Append access alone: every write lands at the end, whoever else writes the file.
  const HANDLE handle =
      CreateFileW(wide.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return SystemError();
  file = std::make_unique<Win32File>(*this, handle);
  return Status();
}

Status Win32FileSystem::MoveReplace(const std::string& from, const std::string& to) {
  std::wstring wideFrom;
  std::wstring wideTo;
  if (Status s = CheckedPath(from, wideFrom, false); !s.ok()) return s;
  if (Status s = CheckedPath(to, wideTo, false); !s.ok()) return s;
  if (IsReadOnlyFile(wideTo)) return Error(SysError::kAccessDenied);
  if (!MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING))
    return SystemError();
  return Status();
}

PathInfo Win32FileSystem::Inspect(const std::string& path) {
  PathInfo info;
  std::wstring wide;
  if (!CheckedPath(path, wide, false).ok()) return info;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return info;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    info.kind = PathKind::kLink;
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    info.kind = PathKind::kDirectory;
  } else {
    info.kind = PathKind::kFile;
    info.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  }
  return info;
}

Status Win32FileSystem::DeleteFile(const std::string& path) {
  std::wstring wide;
  if (Status s = CheckedPath(path, wide, false); !s.ok()) return s;
  if (!DeleteFileW(wide.c_str())) return SystemError();
  return Status();
}

Status Win32FileSystem::ListDirectory(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  std::wstring wide;
  if (Status s = CheckedPath(path, wide, /*lastIsFolder=*/true); !s.ok()) return s;
  if (!wide.empty() && wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
  wide += L'*';
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(wide.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return SystemError();
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(Narrow(name));
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) {
    names.clear();
    return Error(static_cast<SysError>(error));
  }
  return Status();
}

Status Win32FileSystem::ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  std::wstring wide;
  bool below = false;
  if (Status s = CheckedPath(path, wide, false, &below); !s.ok()) return s;
  // Below the root, a link at the path is not read through.
  if (below && IsReparsePoint(wide)) return Error(SysError::kAccessDenied);
  const HANDLE handle =
      CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL | (below ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr);
  if (handle == INVALID_HANDLE_VALUE) return SystemError();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle, &size)) {
    const Status failed = SystemError();
    CloseHandle(handle);
    return failed;
  }
  // A read that fails part-way is an error, never a file cut short.
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!::ReadFile(handle, bytes.data() + done, want, &got, nullptr)) {
      const Status failed = SystemError();
      CloseHandle(handle);
      bytes.clear();
      return failed;
    }
    if (got == 0) break;  // the file is shorter now than when it was looked at
    done += got;
  }
  CloseHandle(handle);
  bytes.resize(done);
  return Status();
}

std::string Win32FileSystem::FullPath(const std::string& path) {
  std::wstring wide;
  std::wstring full;
  if (Widen(path, wide) && FullPathW(wide, full)) return Narrow(full);
  // No normal form to be had: the path as given, in Windows separators.
  std::string out = path;
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

std::string Win32FileSystem::ErrorText(SysError code) {
  const DWORD id = static_cast<DWORD>(code);
  // English where the system carries it, else the system's own language.
  for (const DWORD language : {static_cast<DWORD>(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
                               static_cast<DWORD>(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL))}) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, id, language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length != 0 && text != nullptr) {
      std::wstring message(text, length);
      LocalFree(text);
      // The system ends its texts with a line break; the messages they go into do not want it.
      while (!message.empty() &&
             (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
      return Narrow(message);
    }
  }
  return WindowsErrorText(code);
}

}  // namespace platform

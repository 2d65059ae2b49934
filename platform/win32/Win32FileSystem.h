// The file system of a Windows host, over the wide-character Win32 API.
//
// Paths arrive and leave as UTF-8 and are converted to UTF-16 only at the API boundary, so
// folder names outside the ANSI code page work. Windows itself does the path handling ("/" and
// "\" alike, doubled separators, case-blind names). A path too long for the plain API is made
// absolute and given the "\\?\" prefix, so long install roots work too. Failures keep the
// system's own error code, known to platform::SysError or not.
//
// Below the folder given to Confine (the install root), each folder on a path's way is opened
// once with FILE_FLAG_OPEN_REPARSE_POINT and checked: a junction, symbolic link or other
// reparse point there stops the path as a file standing there would (path not found). The
// handle stays open without FILE_SHARE_DELETE, so the folder it checked cannot be renamed,
// deleted or replaced by a link while the run goes on, and the path keeps naming it. A reparse
// point at the end of a path is never written or read through either.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/FileSystem.h"

namespace platform {

class Win32FileSystem : public FileSystem {
 public:
  Win32FileSystem() = default;
  ~Win32FileSystem() override;
  Win32FileSystem(const Win32FileSystem&) = delete;
  Win32FileSystem& operator=(const Win32FileSystem&) = delete;

  Status CurrentDirectory(std::string& directory) override;
  Status SetCurrentDirectory(const std::string& path) override;
  void Confine(const std::string& root) override;
  Status CreateDirectory(const std::string& path) override;
  Status CreateFile(const std::string& path, bool mustBeNew, std::unique_ptr<File>& file) override;
  Status OpenForAppend(const std::string& path, std::unique_ptr<File>& file) override;
  Status MoveReplace(const std::string& from, const std::string& to) override;
  PathInfo Inspect(const std::string& path) override;
  Status DeleteFile(const std::string& path) override;
  Status ListDirectory(const std::string& path, std::vector<std::string>& names) override;
  Status ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) override;
  std::string FullPath(const std::string& path) override;
  std::string ErrorText(SysError code) override;

 private:
  friend class Win32File;
  // The calling thread's last Win32 error, with the system's text.
  Status SystemError();
  // The UTF-16 form of `path` for a file API call: as given when short, else absolute with the
  // long-path prefix. An error when the text is not valid UTF-8 or holds NUL.
  Status ApiPath(const std::string& path, std::wstring& out);
  // ApiPath, and when the path lies below the confined root, its folders checked as described
  // above: those on its way, and with `lastIsFolder` the last name too. `below` tells whether
  // it lies below the root.
  Status CheckedPath(const std::string& path, std::wstring& out, bool lastIsFolder,
                     bool* below = nullptr);
  // Opens and checks one folder below the root, or finds it checked already.
  Status CheckFolder(const std::wstring& folder);

  // The confined root, full and lower-case, without a trailing separator; empty when none.
  std::wstring root_;
  // The folders below the root found to be real folders, by lower-case full path, with the
  // handle that keeps each in place.
  std::unordered_map<std::wstring, void*> folders_;
  static constexpr std::size_t kFolderHandles = 64;
};

// UTF-8 <-> UTF-16 for the API boundary. Widen fails on invalid UTF-8 and on NUL bytes.
bool Widen(const std::string& utf8, std::wstring& out);
std::string Narrow(const std::wstring& utf16);

}  // namespace platform

// The file system of a Windows host, over the wide-character Win32 API.
//
// Paths arrive and leave as UTF-8 and are converted to UTF-16 only at the API boundary, so
// folder names outside the ANSI code page work. Windows itself does the path handling ("/" and
// "\" alike, doubled separators, case-blind names). A path too long for the plain API is made
// absolute and given the "\\?\" prefix, so long install roots work too. Failures keep the
// system's own error code, known to platform::SysError or not.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace platform {

class Win32FileSystem : public FileSystem {
 public:
  std::string CurrentDirectory() override;
  bool SetCurrentDirectory(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  std::unique_ptr<File> CreateFile(const std::string& path, bool mustBeNew) override;
  bool MoveReplace(const std::string& from, const std::string& to) override;
  PathInfo Inspect(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool ListDirectory(const std::string& path, std::vector<std::string>& names) override;
  bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) override;
  std::string FullPath(const std::string& path) override;
  SysError LastError() override { return lastError_; }
  std::string ErrorText(SysError code) override;

 private:
  friend class Win32File;
  // Records the calling thread's last Win32 error as this file system's last error.
  bool FailWithSystemError();
  bool Fail(SysError code) {
    lastError_ = code;
    return false;
  }
  // The UTF-16 form of `path` for a file API call: as given when short, else absolute with the
  // long-path prefix. False (with LastError set) when the text is not valid UTF-8 or holds NUL.
  bool ApiPath(const std::string& path, std::wstring& out);

  SysError lastError_ = SysError::kNone;
};

// UTF-8 <-> UTF-16 for the API boundary. Widen fails on invalid UTF-8 and on NUL bytes.
bool Widen(const std::string& utf8, std::wstring& out);
std::string Narrow(const std::wstring& utf16);

}  // namespace platform

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
  Status CurrentDirectory(std::string& directory) override;
  Status SetCurrentDirectory(const std::string& path) override;
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
};

// UTF-8 <-> UTF-16 for the API boundary. Widen fails on invalid UTF-8 and on NUL bytes.
bool Widen(const std::string& utf8, std::wstring& out);
std::string Narrow(const std::wstring& utf16);

}  // namespace platform

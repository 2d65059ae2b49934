// A view of another file system that reads but never changes anything: every call that would
// create, write, move or delete fails with "access denied" without reaching the disk. The
// plan-based modes (--list, --verify) run the installer over it.
#pragma once

#include "platform/FileSystem.h"

namespace platform {

class ReadOnlyFileSystem : public FileSystem {
 public:
  explicit ReadOnlyFileSystem(FileSystem& inner) : inner_(inner) {}

  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool SetCurrentDirectory(const std::string&) override { return Refuse(); }
  bool CreateDirectory(const std::string&) override { return Refuse(); }
  std::unique_ptr<File> CreateFile(const std::string&, bool) override {
    Refuse();
    return nullptr;
  }
  bool MoveReplace(const std::string&, const std::string&) override { return Refuse(); }
  PathInfo Inspect(const std::string& path) override { return Pass(inner_.Inspect(path)); }
  bool DeleteFile(const std::string&) override { return Refuse(); }
  bool ListDirectory(const std::string& path, std::vector<std::string>& names) override {
    return Pass(inner_.ListDirectory(path, names));
  }
  bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) override {
    return Pass(inner_.ReadFile(path, bytes));
  }
  std::string FullPath(const std::string& path) override { return inner_.FullPath(path); }
  SysError LastError() override { return refused_ ? SysError::kAccessDenied : inner_.LastError(); }
  std::string ErrorText(SysError code) override { return inner_.ErrorText(code); }

 private:
  bool Refuse() {
    refused_ = true;
    return false;
  }
  template <class T>
  T Pass(T result) {
    refused_ = false;
    return result;
  }

  FileSystem& inner_;
  bool refused_ = false;
};

}  // namespace platform

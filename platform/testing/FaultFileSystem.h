// A file system that forwards to another and injects failures on request: the Nth call of a
// kind fails with a chosen error, a write comes back short, or the disk is full after a number
// of bytes. Tests use it to reach every error path without a broken disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class FaultFileSystem : public FileSystem {
 public:
  enum class Op {
    kCreateDirectory,
    kSetCurrentDirectory,
    kCreateFile,
    kWrite,
    kClose,
    kMoveReplace,
    kDeleteFile,
  };

  explicit FaultFileSystem(FileSystem& inner) : inner_(inner) {}

  // The `n`th call (counting from 1) of `op` fails with `code` without reaching the inner
  // file system. A failing write writes nothing.
  void FailNth(Op op, int n, SysError code);
  // The `n`th write writes only its first `bytes` bytes and reports a full disk.
  void ShortWrite(int n, std::size_t bytes);
  // Once `bytes` bytes have been written in all, every further byte fails with a full disk.
  void DiskFullAfter(std::uint64_t bytes) { capacity_ = bytes; }

  int Calls(Op op) const;
  // Every path passed to a call, in order, prefixed with the call's name ("CreateFile ...").
  const std::vector<std::string>& Journal() const { return journal_; }

  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool SetCurrentDirectory(const std::string& path) override;
  bool CreateDirectory(const std::string& path) override;
  std::unique_ptr<File> CreateFile(const std::string& path, bool mustBeNew) override;
  bool MoveReplace(const std::string& from, const std::string& to) override;
  PathInfo Inspect(const std::string& path) override { return inner_.Inspect(path); }
  bool DeleteFile(const std::string& path) override;
  std::string FullPath(const std::string& path) override { return inner_.FullPath(path); }
  bool ListDirectory(const std::string& path, std::vector<std::string>& names) override {
    injected_ = false;
    return inner_.ListDirectory(path, names);
  }
  bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) override {
    injected_ = false;
    return inner_.ReadFile(path, bytes);
  }
  SysError LastError() override { return injected_ ? lastError_ : inner_.LastError(); }
  std::string ErrorText(SysError code) override { return inner_.ErrorText(code); }

 private:
  friend class FaultFile;
  // Counts the call; true when it must fail (LastError then says why).
  bool Inject(Op op, const char* name, const std::string& path);
  void Injected(SysError code) {
    injected_ = true;
    lastError_ = code;
  }

  FileSystem& inner_;
  std::map<Op, int> calls_;
  std::map<std::pair<Op, int>, SysError> failures_;
  std::map<int, std::size_t> shortWrites_;
  std::uint64_t capacity_ = UINT64_MAX;
  std::uint64_t written_ = 0;
  bool injected_ = false;
  SysError lastError_ = SysError::kNone;
  std::vector<std::string> journal_;
};

}  // namespace platform

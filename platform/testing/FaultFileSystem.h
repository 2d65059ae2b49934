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

class FaultFileSystem : public FileSystemWrapper {
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

  using FileSystemWrapper::FileSystemWrapper;

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

  Status SetCurrentDirectory(const std::string& path) override;
  Status CreateDirectory(const std::string& path) override;
  Status CreateFile(const std::string& path, bool mustBeNew, std::unique_ptr<File>& file) override;
  Status MoveReplace(const std::string& from, const std::string& to) override;
  Status DeleteFile(const std::string& path) override;

 private:
  friend class FaultFile;
  // Counts the call and notes it in the journal; the failure to inject, or success.
  Status Inject(Op op, const char* name, const std::string& path);

  std::map<Op, int> calls_;
  std::map<std::pair<Op, int>, SysError> failures_;
  std::map<int, std::size_t> shortWrites_;
  std::uint64_t capacity_ = UINT64_MAX;
  std::uint64_t written_ = 0;
  std::vector<std::string> journal_;
};

}  // namespace platform

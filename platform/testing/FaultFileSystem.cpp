#include "platform/testing/FaultFileSystem.h"

#include <algorithm>

namespace platform {

class FaultFile : public File {
 public:
  FaultFile(FaultFileSystem& fs, std::unique_ptr<File> inner) : fs_(fs), inner_(std::move(inner)) {}

  // Each part is one write as the fault plan counts them.
  Status WriteParts(std::span<const std::span<const std::uint8_t>> parts) override {
    for (const auto& part : parts) {
      if (Status s = WriteOne(part); !s.ok()) return s;
    }
    return Status();
  }

  Status Close() override {
    const Status injected = fs_.Inject(FaultFileSystem::Op::kClose, "Close", "");
    const Status closed = inner_->Close();
    return injected.ok() ? closed : injected;
  }

 private:
  Status WriteOne(std::span<const std::uint8_t> part) {
    if (Status s = fs_.Inject(FaultFileSystem::Op::kWrite, "Write", std::to_string(part.size()));
        !s.ok())
      return s;
    const int n = fs_.calls_[FaultFileSystem::Op::kWrite];
    std::size_t allowed = part.size();
    if (auto it = fs_.shortWrites_.find(n); it != fs_.shortWrites_.end() && it->second < allowed)
      allowed = it->second;
    const std::uint64_t room = fs_.capacity_ - std::min(fs_.capacity_, fs_.written_);
    if (allowed > room) allowed = static_cast<std::size_t>(room);
    if (allowed > 0) {
      if (Status s = inner_->Write(part.data(), allowed); !s.ok()) return s;
      fs_.written_ += allowed;
    }
    if (allowed < part.size()) return fs_.Error(SysError::kDiskFull);
    return Status();
  }

  FaultFileSystem& fs_;
  std::unique_ptr<File> inner_;
};

void FaultFileSystem::FailNth(Op op, int n, SysError code) {
  failures_[{op, n}] = code;
}

void FaultFileSystem::ShortWrite(int n, std::size_t bytes) {
  shortWrites_[n] = bytes;
}

int FaultFileSystem::Calls(Op op) const {
  auto it = calls_.find(op);
  return it == calls_.end() ? 0 : it->second;
}

Status FaultFileSystem::Inject(Op op, const char* name, const std::string& path) {
  const int n = ++calls_[op];
  journal_.push_back(std::string(name) + " " + path);
  auto it = failures_.find({op, n});
  if (it == failures_.end()) return Status();
  return Error(it->second);
}

Status FaultFileSystem::SetCurrentDirectory(const std::string& path) {
  if (Status s = Inject(Op::kSetCurrentDirectory, "SetCurrentDirectory", path); !s.ok()) return s;
  return FileSystemWrapper::SetCurrentDirectory(path);
}

Status FaultFileSystem::CreateDirectory(const std::string& path) {
  if (Status s = Inject(Op::kCreateDirectory, "CreateDirectory", path); !s.ok()) return s;
  return FileSystemWrapper::CreateDirectory(path);
}

Status FaultFileSystem::CreateFile(const std::string& path, bool mustBeNew,
                                   std::unique_ptr<File>& file) {
  file.reset();
  if (Status s = Inject(Op::kCreateFile, "CreateFile", path); !s.ok()) return s;
  std::unique_ptr<File> inner;
  if (Status s = FileSystemWrapper::CreateFile(path, mustBeNew, inner); !s.ok()) return s;
  file = std::make_unique<FaultFile>(*this, std::move(inner));
  return Status();
}

Status FaultFileSystem::MoveReplace(const std::string& from, const std::string& to) {
  if (Status s = Inject(Op::kMoveReplace, "MoveReplace", from + " -> " + to); !s.ok()) return s;
  return FileSystemWrapper::MoveReplace(from, to);
}

Status FaultFileSystem::DeleteFile(const std::string& path) {
  if (Status s = Inject(Op::kDeleteFile, "DeleteFile", path); !s.ok()) return s;
  return FileSystemWrapper::DeleteFile(path);
}

}  // namespace platform

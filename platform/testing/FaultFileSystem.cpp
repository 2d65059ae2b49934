#include "platform/testing/FaultFileSystem.h"

#include <algorithm>

namespace platform {

class FaultFile : public File {
 public:
  FaultFile(FaultFileSystem& fs, std::unique_ptr<File> inner) : fs_(fs), inner_(std::move(inner)) {}

  std::size_t Write(const void* data, std::size_t size) override {
    if (fs_.Inject(FaultFileSystem::Op::kWrite, "Write", std::to_string(size))) return 0;
    const int n = fs_.calls_[FaultFileSystem::Op::kWrite];
    std::size_t allowed = size;
    bool full = false;
    if (auto it = fs_.shortWrites_.find(n); it != fs_.shortWrites_.end() && it->second < size) {
      allowed = it->second;
      full = true;
    }
    const std::uint64_t room = fs_.capacity_ - std::min(fs_.capacity_, fs_.written_);
    if (allowed > room) {
      allowed = static_cast<std::size_t>(room);
      full = true;
    }
    const std::size_t done = allowed == 0 ? 0 : inner_->Write(data, allowed);
    fs_.written_ += done;
    if (full && done == allowed) fs_.Injected(SysError::kDiskFull);
    return done;
  }

  bool Close() override {
    const bool injected = fs_.Inject(FaultFileSystem::Op::kClose, "Close", "");
    const bool closed = inner_->Close();
    return closed && !injected;
  }

 private:
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

bool FaultFileSystem::Inject(Op op, const char* name, const std::string& path) {
  injected_ = false;
  const int n = ++calls_[op];
  journal_.push_back(std::string(name) + " " + path);
  auto it = failures_.find({op, n});
  if (it == failures_.end()) return false;
  Injected(it->second);
  return true;
}

bool FaultFileSystem::SetCurrentDirectory(const std::string& path) {
  if (Inject(Op::kSetCurrentDirectory, "SetCurrentDirectory", path)) return false;
  return inner_.SetCurrentDirectory(path);
}

bool FaultFileSystem::CreateDirectory(const std::string& path) {
  if (Inject(Op::kCreateDirectory, "CreateDirectory", path)) return false;
  return inner_.CreateDirectory(path);
}

std::unique_ptr<File> FaultFileSystem::CreateFile(const std::string& path, bool mustBeNew) {
  if (Inject(Op::kCreateFile, "CreateFile", path)) return nullptr;
  auto inner = inner_.CreateFile(path, mustBeNew);
  if (!inner) return nullptr;
  return std::make_unique<FaultFile>(*this, std::move(inner));
}

bool FaultFileSystem::MoveReplace(const std::string& from, const std::string& to) {
  if (Inject(Op::kMoveReplace, "MoveReplace", from + " -> " + to)) return false;
  return inner_.MoveReplace(from, to);
}

bool FaultFileSystem::DeleteFile(const std::string& path) {
  if (Inject(Op::kDeleteFile, "DeleteFile", path)) return false;
  return inner_.DeleteFile(path);
}

}  // namespace platform

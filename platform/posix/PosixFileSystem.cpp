#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Text.h"

namespace platform {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string JoinHost(const std::string& root, const std::string& name) {
  if (!root.empty() && root.back() == '/') return root + name;
  return root + "/" + name;
}

}  // namespace

class PosixFile : public File {
 public:
  PosixFile(PosixFileSystem& fs, int fd) : fs_(fs), fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  std::size_t Write(const void* data, std::size_t size) override {
    const std::span<const std::uint8_t> part(static_cast<const std::uint8_t*>(data), size);
    return WriteParts(std::span(&part, 1));
  }
  // One writev for all parts; a partial write goes on from where it stopped.
  std::size_t WriteParts(std::span<const std::span<const std::uint8_t>> parts) override {
    constexpr std::size_t kMaxParts = 8;
    if (parts.size() > kMaxParts) return File::WriteParts(parts);
    iovec vectors[kMaxParts];
    std::size_t count = 0, wanted = 0;
    for (const auto& part : parts) {
      if (part.empty()) continue;
      vectors[count++] = iovec{const_cast<std::uint8_t*>(part.data()), part.size()};
      wanted += part.size();
    }
    std::size_t done = 0, first = 0;
    while (done < wanted) {
      const ssize_t n = ::writev(fd_, vectors + first, static_cast<int>(count - first));
      if (n < 0) {
        if (errno == EINTR) continue;
        fs_.FailErrno(errno, false);
        break;
      }
      if (n == 0) {
        fs_.Fail(SysError::kDiskFull);
        break;
      }
      done += static_cast<std::size_t>(n);
      for (std::size_t left = static_cast<std::size_t>(n); left > 0 && first < count;) {
        if (left >= vectors[first].iov_len) {
          left -= vectors[first].iov_len;
          ++first;
        } else {
          vectors[first].iov_base = static_cast<char*>(vectors[first].iov_base) + left;
          vectors[first].iov_len -= left;
          left = 0;
        }
      }
    }
    return done;
  }
  bool Close() override {
    if (fd_ < 0) return true;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fs_.FailErrno(errno, false);
    return true;
  }

 private:
  PosixFileSystem& fs_;
  int fd_;
};

PosixFileSystem::PosixFileSystem(std::map<char, std::string> drives) : drives_(std::move(drives)) {
  if (drives_.empty()) drives_.emplace('z', "/");
}

PosixFileSystem::~PosixFileSystem() {
  for (const auto& [folder, handle] : folderHandles_) ::close(handle);
}

int PosixFileSystem::FolderHandle(const std::string& folder) {
  if (auto known = folderHandles_.find(folder); known != folderHandles_.end()) return known->second;
  if (folderHandles_.size() >= kFolderHandles) return -1;
  const int handle = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) folderHandles_.emplace(folder, handle);
  return handle;
}

bool PosixFileSystem::FailErrno(int error, bool pathNotFound) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Fail(pathNotFound ? SysError::kPathNotFound : SysError::kFileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return Fail(SysError::kAccessDenied);
    case EEXIST:
      return Fail(SysError::kAlreadyExists);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return Fail(SysError::kDiskFull);
    case ENAMETOOLONG:
      return Fail(SysError::kFilenameTooLong);
    case EINVAL:
    case EILSEQ:
      return Fail(SysError::kInvalidName);
    case ENOTEMPTY:
      return Fail(SysError::kDirNotEmpty);
    case EBUSY:
    case ETXTBSY:
      return Fail(SysError::kSharingViolation);
    case ENOMEM:
      return Fail(SysError::kNotEnoughMemory);
    default:
      return Fail(SysError::kWriteFault);
  }
}

std::string PosixFileSystem::MatchName(const std::string& folder, const std::string& name) {
  auto listing = listings_.find(folder);
  if (listing == listings_.end()) {
    struct stat st {};
    if (lstat(JoinHost(folder, name).c_str(), &st) == 0) return name;
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (dir == nullptr) return name;
    std::unordered_map<std::string, std::vector<std::string>> names;
    while (const dirent* entry = readdir(dir))
      names[LowerAscii(entry->d_name)].push_back(entry->d_name);
    closedir(dir);
    listing = listings_.emplace(folder, std::move(names)).first;
  }
  auto variants = listing->second.find(LowerAscii(name));
  if (variants == listing->second.end()) return name;
  const std::vector<std::string>& found = variants->second;
  if (std::find(found.begin(), found.end(), name) != found.end()) return name;
  return *std::min_element(found.begin(), found.end());
}

namespace {
std::pair<std::string, std::string> SplitHost(const std::string& hostPath) {
  const std::size_t slash = hostPath.rfind('/');
  if (slash == std::string::npos) return {std::string(), hostPath};
  return {slash == 0 ? std::string("/") : hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}
}  // namespace

void PosixFileSystem::Added(const std::string& hostPath) {
  const auto [folder, name] = SplitHost(hostPath);
  auto listing = listings_.find(folder);
  if (listing == listings_.end()) return;
  std::vector<std::string>& variants = listing->second[LowerAscii(name)];
  if (std::find(variants.begin(), variants.end(), name) == variants.end()) variants.push_back(name);
}

void PosixFileSystem::Removed(const std::string& hostPath) {
  const auto [folder, name] = SplitHost(hostPath);
  auto listing = listings_.find(folder);
  if (listing == listings_.end()) return;
  auto variants = listing->second.find(LowerAscii(name));
  if (variants == listing->second.end()) return;
  std::erase(variants->second, name);
  if (variants->second.empty()) listing->second.erase(variants);
}

bool PosixFileSystem::Parse(const std::string& path, Parsed& out) {
  std::string rest = path;
  out = Parsed{};
  if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1]))
    return Fail(SysError::kBadNetPath);  // network paths have no place on this host
  // The current directory is asked for only when the path is not absolute.
  if (rest.size() >= 2 && IsDriveLetter(rest[0]) && rest[1] == ':') {
    out.drive = LowerAscii(rest[0]);
    rest = rest.substr(2);
    // "d:name" is relative to the current directory when that is on drive d:, else to d:'s root.
    if (rest.empty() || !IsSeparator(rest[0])) {
      const std::string cwd = CurrentDirectory();
      if (out.drive == cwd[0]) rest = cwd.substr(2) + "\\" + rest;
    }
  } else if (!rest.empty() && IsSeparator(rest[0])) {
    out.drive = CurrentDirectory()[0];
  } else {
    const std::string cwd = CurrentDirectory();
    out.drive = cwd[0];
    rest = cwd.substr(2) + "\\" + rest;
  }
  if (drives_.find(out.drive) == drives_.end()) return Fail(SysError::kPathNotFound);
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    std::string name = rest.substr(start, end - start);
    if (name == "..") {
      if (!out.names.empty()) out.names.pop_back();
    } else if (!name.empty() && name != ".") {
      out.names.push_back(std::move(name));
    }
    start = end + 1;
  }
  return true;
}

std::string PosixFileSystem::HostPath(const std::string& path) {
  Parsed parsed;
  if (!Parse(path, parsed)) return std::string();
  std::string host = drives_.at(parsed.drive);
  std::string key(1, parsed.drive);
  for (std::size_t i = 0; i < parsed.names.size(); ++i) {
    const std::string& name = parsed.names[i];
    const bool last = i + 1 == parsed.names.size();
    if (!last) {
      key += '\\';
      key += name;
      if (auto known = folders_.find(key); known != folders_.end()) {
        host = known->second;
        continue;
      }
    }
    host = JoinHost(host, MatchName(host, name));
    struct stat st {};
    if (!last && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) folders_[key] = host;
  }
  return host;
}

std::string PosixFileSystem::FullPath(const std::string& path) {
  Parsed parsed;
  if (!Parse(path, parsed)) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
  }
  std::string out(1, parsed.drive);
  out += ':';
  if (parsed.names.empty()) return out + "\\";
  for (const std::string& name : parsed.names) out += "\\" + name;
  return out;
}

std::string PosixFileSystem::CurrentDirectory() {
  std::string host;
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr && errno == ERANGE)
    buffer.resize(buffer.size() * 2);
  host = buffer.data();
  // The drive whose folder is the longest prefix of the host path.
  char drive = 0;
  std::size_t rootLength = 0;
  for (const auto& [letter, root] : drives_) {
    std::string base = root;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const bool inside = host == base || base == "/" ||
                        (host.compare(0, base.size(), base) == 0 && host.size() > base.size() &&
                         host[base.size()] == '/');
    if (inside && (drive == 0 || base.size() > rootLength)) {
      drive = letter;
      rootLength = base == "/" ? 0 : base.size();
    }
  }
  if (drive == 0) {
    drive = 'z';
    rootLength = 0;
  }
  std::string rest = host.substr(rootLength);
  std::replace(rest.begin(), rest.end(), '/', '\\');
  if (rest.empty() || rest[0] != '\\') rest.insert(rest.begin(), '\\');
  return std::string(1, drive) + ":" + rest;
}

bool PosixFileSystem::SetCurrentDirectory(const std::string& path) {
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  if (::chdir(host.c_str()) != 0) return FailErrno(errno, errno == ENOTDIR);
  return true;
}

bool PosixFileSystem::CreateDirectory(const std::string& path) {
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  if (::mkdir(host.c_str(), 0777) != 0) return FailErrno(errno, true);
  Added(host);
  return true;
}

std::unique_ptr<File> PosixFileSystem::CreateFile(const std::string& path, bool mustBeNew) {
  const std::string host = HostPath(path);
  if (host.empty()) return nullptr;
  // A new file needs no look first: O_EXCL refuses whatever stands there.
  struct stat st {};
  if (!mustBeNew && ::stat(host.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode) || (st.st_mode & 0222) == 0) {
      Fail(SysError::kAccessDenied);
      return nullptr;
    }
  }
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : O_TRUNC);
  const auto [folder, name] = SplitHost(host);
  const int folderHandle = FolderHandle(folder);
  int fd = folderHandle >= 0 ? ::openat(folderHandle, name.c_str(), flags, 0666) : -1;
  if (fd < 0 && (folderHandle < 0 || errno == ENOENT || errno == ENOTDIR)) {
    // No handle, or one on a folder replaced meanwhile: the path decides.
    if (folderHandle >= 0) {
      ::close(folderHandle);
      folderHandles_.erase(folder);
    }
    fd = ::open(host.c_str(), flags, 0666);
  }
  if (fd < 0) {
    FailErrno(errno, true);
    if (errno == EEXIST) lastError_ = SysError::kFileExists;
    return nullptr;
  }
  Added(host);
  return std::make_unique<PosixFile>(*this, fd);
}

bool PosixFileSystem::MoveReplace(const std::string& from, const std::string& to) {
  const std::string hostFrom = HostPath(from);
  if (hostFrom.empty()) return false;
  const std::string hostTo = HostPath(to);
  if (hostTo.empty()) return false;
  struct stat st {};
  if (::stat(hostTo.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || (st.st_mode & 0222) == 0))
    return Fail(SysError::kAccessDenied);
  if (::rename(hostFrom.c_str(), hostTo.c_str()) != 0) return FailErrno(errno, true);
  Removed(hostFrom);
  Added(hostTo);
  return true;
}

PathInfo PosixFileSystem::Inspect(const std::string& path) {
  PathInfo info;
  const std::string host = HostPath(path);
  if (host.empty()) return info;
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0) {
    FailErrno(errno, false);
    return info;
  }
  info.kind = S_ISDIR(st.st_mode) ? PathKind::kDirectory : PathKind::kFile;
  info.readOnly = info.kind == PathKind::kFile && (st.st_mode & 0222) == 0;
  return info;
}

bool PosixFileSystem::DeleteFile(const std::string& path) {
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0) return FailErrno(errno, errno == ENOTDIR);
  if (S_ISDIR(st.st_mode) || (st.st_mode & 0222) == 0) return Fail(SysError::kAccessDenied);
  if (::unlink(host.c_str()) != 0) return FailErrno(errno, false);
  Removed(host);
  return true;
}

bool PosixFileSystem::ListDirectory(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  DIR* dir = opendir(host.c_str());
  if (dir == nullptr) return FailErrno(errno, true);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  return true;
}

bool PosixFileSystem::ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FailErrno(errno, errno == ENOTDIR);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Fail(SysError::kAccessDenied);
  }
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return true;
}

std::string PosixFileSystem::ErrorText(SysError code) {
  return WindowsErrorText(code);
}

}  // namespace platform

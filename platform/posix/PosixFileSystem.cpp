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
  // One writev for all parts; a partial write goes on from where it stopped.
  Status WriteParts(std::span<const std::span<const std::uint8_t>> parts) override {
    constexpr std::size_t kMaxParts = 8;  // a bitmap has four
    if (parts.size() > kMaxParts) {
      for (std::size_t i = 0; i < parts.size(); i += kMaxParts)
        if (Status s = WriteParts(parts.subspan(i, std::min(kMaxParts, parts.size() - i))); !s.ok())
          return s;
      return Status();
    }
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
        return fs_.ErrnoError(errno, false);
      }
      if (n == 0) return fs_.Error(SysError::kDiskFull);
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
    return Status();
  }
  Status Close() override {
    if (fd_ < 0) return Status();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fs_.ErrnoError(errno, false);
    return Status();
  }

 private:
  PosixFileSystem& fs_;
  int fd_;
};

// Where a path leads (see Resolve).
class PosixFileSystem::Place {
 public:
  Place() = default;
  ~Place() {
    if (owned_ >= 0) ::close(owned_);
  }
  Place(const Place&) = delete;
  Place& operator=(const Place&) = delete;

  // The folder holding the last name: a handle, or AT_FDCWD when `name` is a whole host path.
  int dir = AT_FDCWD;
  std::string name;
  std::string host;  // the whole host path
  // Below the confined root: the folders on the way were opened without following links,
  // and the last name is never followed either.
  bool confined = false;
  // The confined root itself, reached as the user reaches it: a link there is followed.
  bool root = false;
  // `dir` is a handle kept between calls, which a folder deleted meanwhile leaves stale.
  bool kept = false;
  // The listing of `dir` holds `name`: something stood there when the folder was listed, or
  // this program put it there since.
  bool listed = false;

  // A handle opened for this call alone, closed with the place.
  void Own(int fd) {
    if (owned_ >= 0 && owned_ != fd) ::close(owned_);
    owned_ = fd;
  }
  // `dir` names a folder that has been deleted.
  bool Stale() const {
    struct stat st {};
    return kept && dir != AT_FDCWD && ::fstat(dir, &st) == 0 && st.st_nlink == 0;
  }

 private:
  int owned_ = -1;
};

namespace {

// `name` in folder `dir`, in the form the *at calls take.
std::string At(int dir, const std::string& host, const std::string& name) {
  return dir == AT_FDCWD ? JoinHost(host, name) : name;
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::map<char, std::string> drives) : drives_(std::move(drives)) {
  if (drives_.empty()) drives_.emplace('z', std::string(1, '/'));
}

PosixFileSystem::~PosixFileSystem() {
  ForgetFolders();
}

void PosixFileSystem::ForgetFolders() {
  ++forgotten_;
  for (const auto& [folder, handle] : folderHandles_) ::close(handle);
  folderHandles_.clear();
  for (const auto& [key, folder] : rootFolders_) ::close(folder.fd);
  rootFolders_.clear();
  if (rootFd_ >= 0) ::close(rootFd_);
  rootFd_ = -1;
  rootHost_.clear();
  folders_.clear();
  listings_.clear();
}

int PosixFileSystem::FolderHandle(const std::string& folder) {
  if (auto known = folderHandles_.find(folder); known != folderHandles_.end()) return known->second;
  if (folderHandles_.size() >= kFolderHandles) return -1;
  const int handle = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (handle >= 0) folderHandles_.emplace(folder, handle);
  return handle;
}

Status PosixFileSystem::ErrnoError(int error, bool pathNotFound) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Error(pathNotFound ? SysError::kPathNotFound : SysError::kFileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:  // a link where nothing may be followed
      return Error(SysError::kAccessDenied);
    case EEXIST:
      return Error(SysError::kAlreadyExists);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return Error(SysError::kDiskFull);
    case ENAMETOOLONG:
      return Error(SysError::kFilenameTooLong);
    case EINVAL:
    case EILSEQ:
      return Error(SysError::kInvalidName);
    case ENOTEMPTY:
      return Error(SysError::kDirNotEmpty);
    case EBUSY:
    case ETXTBSY:
      return Error(SysError::kSharingViolation);
    case ENOMEM:
      return Error(SysError::kNotEnoughMemory);
    case EIO:
      return Error(SysError::kReadFault);
    default:
      return Error(SysError::kWriteFault);
  }
}

std::string PosixFileSystem::MatchName(const Dir& dir, const std::string& name, bool* listed) {
  if (listed != nullptr) *listed = false;
  auto listing = listings_.find(dir.host);
  if (listing == listings_.end()) {
    // Outside the root a name that exists as spelled needs no listing. A folder below the root
    // is listed at once: the run looks up every name it holds, and a rerun over an installed
    // tree would otherwise ask the system about each name several times.
    struct stat st {};
    if (dir.fd == AT_FDCWD &&
        ::fstatat(dir.fd, At(dir.fd, dir.host, name).c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
      return name;
    const int handle =
        dir.fd == AT_FDCWD
            ? ::open(dir.host.empty() ? "/" : dir.host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
            : ::openat(dir.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return name;
    DIR* list = ::fdopendir(handle);
    if (list == nullptr) {
      ::close(handle);
      return name;
    }
    std::unordered_map<std::string, std::vector<std::string>> names;
    while (const dirent* entry = ::readdir(list))
      names[LowerAscii(entry->d_name)].push_back(entry->d_name);
    ::closedir(list);
    listing = listings_.emplace(dir.host, std::move(names)).first;
  }
  auto variants = listing->second.find(LowerAscii(name));
  if (variants == listing->second.end()) return name;
  if (listed != nullptr) *listed = true;
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

Status PosixFileSystem::Parse(const std::string& path, Parsed& out) {
  std::string rest = path;
  out = Parsed{};
  if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1]))
    return Error(SysError::kBadNetPath);  // network paths have no place on this host
  // The current directory is asked for only when the path is not absolute.
  std::string cwd;
  if (rest.size() >= 2 && IsDriveLetter(rest[0]) && rest[1] == ':') {
    out.drive = LowerAscii(rest[0]);
    rest = rest.substr(2);
    // "d:name" is relative to the current directory when that is on drive d:, else to d:'s root.
    if (rest.empty() || !IsSeparator(rest[0])) {
      if (Status s = CurrentDirectory(cwd); !s.ok()) return s;
      if (out.drive == cwd[0]) rest = cwd.substr(2) + "\\" + rest;
    }
  } else {
    if (Status s = CurrentDirectory(cwd); !s.ok()) return s;
    out.drive = cwd[0];
    if (rest.empty() || !IsSeparator(rest[0])) rest = cwd.substr(2) + "\\" + rest;
  }
  if (drives_.find(out.drive) == drives_.end()) return Error(SysError::kPathNotFound);
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
  return Status();
}

void PosixFileSystem::Confine(const std::string& root) {
  ForgetFolders();
  confined_ = false;
  Parsed parsed;
  if (!Parse(root, parsed).ok()) return;  // a root with no place here: nothing below it either
  // A root that spells the current directory, or a folder on its way, in another case names
  // that folder: the current directory's names are the ones on disk.
  std::string cwd;
  Parsed here;
  if (CurrentDirectory(cwd).ok() && Parse(cwd, here).ok() && here.drive == parsed.drive &&
      here.names.size() >= parsed.names.size() &&
      std::equal(
          parsed.names.begin(), parsed.names.end(), here.names.begin(),
          [](const std::string& a, const std::string& b) { return EqualsIgnoreAsciiCase(a, b); }))
    std::copy(here.names.begin(), here.names.begin() + parsed.names.size(), parsed.names.begin());
  rootDrive_ = parsed.drive;
  rootNames_ = std::move(parsed.names);
  confined_ = true;
}

Status PosixFileSystem::ResolveRoot() {
  if (rootFd_ >= 0) return Status();
  std::string host = drives_.at(rootDrive_);
  for (const std::string& name : rootNames_)
    host = JoinHost(host, MatchName({AT_FDCWD, host}, name));
  // The root and the folders above it are the user's choice: links are followed.
  const int fd = ::open(host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return ErrnoError(errno, true);
  rootFd_ = fd;
  rootHost_ = std::move(host);
  return Status();
}

Status PosixFileSystem::ResolveBelowRoot(const Parsed& parsed, Place& place) {
  const std::size_t depth = rootNames_.size();
  for (int attempt = 0;; ++attempt) {
    if (Status s = ResolveRoot(); !s.ok()) return s;
    int fd = rootFd_;
    std::string host = rootHost_;
    std::string key;
    bool failed = false;
    int error = 0;
    place.kept = true;
    for (std::size_t i = depth; i + 1 < parsed.names.size(); ++i) {
      if (!key.empty()) key += '\\';
      key += parsed.names[i];
      if (auto known = rootFolders_.find(key); known != rootFolders_.end()) {
        fd = known->second.fd;
        host = known->second.host;
        place.kept = true;
        continue;
      }
      const std::string name = MatchName({fd, host}, parsed.names[i]);
      const int next = ::openat(fd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (next < 0) {
        error = errno;
        failed = true;
        break;
      }
      host = JoinHost(host, name);
      if (rootFolders_.size() < kFolderHandles) {
        rootFolders_.emplace(key, OpenFolder{next, host});
        place.kept = true;
      } else {
        place.Own(next);
        place.kept = false;
      }
      fd = next;
    }
    place.dir = fd;
    if (failed) {
      // A folder deleted meanwhile: its name is looked up afresh once.
      if (error == ENOENT && attempt == 0 && place.Stale()) {
        place.Own(-1);
        ForgetFolders();
        continue;
      }
      // A link where a folder should be stops the path as a file standing there would.
      return ErrnoError(error == ELOOP ? ENOTDIR : error, true);
    }
    place.name = MatchName({fd, host}, parsed.names.back(), &place.listed);
    place.host = JoinHost(host, place.name);
    place.confined = true;
    return Status();
  }
}

Status PosixFileSystem::Resolve(const std::string& path, Place& place) {
  Parsed parsed;
  if (Status s = Parse(path, parsed); !s.ok()) return s;
  const std::size_t depth = rootNames_.size();
  const bool inRoot = confined_ && parsed.drive == rootDrive_ && parsed.names.size() >= depth &&
                      std::equal(rootNames_.begin(), rootNames_.end(), parsed.names.begin(),
                                 [](const std::string& a, const std::string& b) {
                                   return EqualsIgnoreAsciiCase(a, b);
                                 });
  if (inRoot && parsed.names.size() > depth) return ResolveBelowRoot(parsed, place);
  if (inRoot) {
    // The root itself, as the user reaches it.
    if (Status s = ResolveRoot(); !s.ok()) return s;
    place.host = rootHost_;
    place.name = rootHost_;
    place.root = true;
    return Status();
  }
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
    host = JoinHost(host, MatchName({AT_FDCWD, host}, name));
    struct stat st {};
    if (!last && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) folders_[key] = host;
  }
  place.host = host;
  place.name = host;
  if (!parsed.names.empty()) {
    const auto [folder, name] = SplitHost(host);
    if (const int handle = FolderHandle(folder); handle >= 0) {
      place.dir = handle;
      place.name = name;
      place.kept = true;
    }
  }
  return Status();
}

template <typename Op>
Status PosixFileSystem::AtPlace(const std::string& path, int& error, Op&& op) {
  for (int attempt = 0;; ++attempt) {
    Place place;
    if (Status s = Resolve(path, place); !s.ok()) return s;
    error = op(place);
    if (error != ENOENT || attempt > 0 || !place.Stale()) return Status();
    ForgetFolders();
  }
}

Status PosixFileSystem::HostPath(const std::string& path, std::string& host) {
  host.clear();
  Place place;
  if (Status s = Resolve(path, place); !s.ok()) return s;
  host = place.host;
  return Status();
}

std::string PosixFileSystem::FullPath(const std::string& path) {
  Parsed parsed;
  if (!Parse(path, parsed).ok()) {
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

Status PosixFileSystem::CurrentDirectory(std::string& directory) {
  directory.clear();
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ErrnoError(errno, true);
    buffer.resize(buffer.size() * 2);
  }
  const std::string host = buffer.data();
  // getcwd names a folder that is no longer there with "(unreachable)" in front: no path.
  if (host.empty() || host[0] != '/') return Error(SysError::kPathNotFound);
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
  directory = std::string(1, drive) + ":" + rest;
  return Status();
}

Status PosixFileSystem::SetCurrentDirectory(const std::string& path) {
  int error = 0;
  if (Status s = AtPlace(path, error,
                         [](Place& place) {
                           if (!place.confined) return ::chdir(place.host.c_str()) == 0 ? 0 : errno;
                           const int fd = ::openat(place.dir, place.name.c_str(),
                                                   O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                           if (fd < 0) return errno;
                           const int result = ::fchdir(fd) == 0 ? 0 : errno;
                           ::close(fd);
                           return result;
                         });
      !s.ok())
    return s;
  // A link where the folder should be is taken like a file standing there.
  if (error == ELOOP) error = ENOTDIR;
  if (error != 0) return ErrnoError(error, error == ENOTDIR);
  return Status();
}

Status PosixFileSystem::CreateDirectory(const std::string& path) {
  int error = 0;
  std::string host;
  if (Status s = AtPlace(path, error,
                         [&](Place& place) {
                           host = place.host;
                           return ::mkdirat(place.dir, place.name.c_str(), 0777) == 0 ? 0 : errno;
                         });
      !s.ok())
    return s;
  if (error != 0) return ErrnoError(error, true);
  Added(host);
  return Status();
}

Status PosixFileSystem::CreateFile(const std::string& path, bool mustBeNew,
                                   std::unique_ptr<File>& file) {
  file.reset();
  int error = 0, fd = -1;
  std::string host;
  const Status found = AtPlace(path, error, [&](Place& place) {
    host = place.host;
    // A new file needs no look first: O_EXCL refuses whatever stands there, a link included.
    // A name the folder's listing holds is refused without asking the system: over an
    // installed tree that is every file. Should someone else have deleted it meanwhile, the
    // caller only takes its way of replacing a file, which works where nothing stands.
    if (mustBeNew && place.listed) return EEXIST;
    if (!mustBeNew) {
      struct stat st {};
      if (::fstatat(place.dir, place.name.c_str(), &st, place.confined ? AT_SYMLINK_NOFOLLOW : 0) ==
              0 &&
          (S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode) || (st.st_mode & 0222) == 0))
        return EACCES;
    }
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : O_TRUNC) |
                      (place.confined ? O_NOFOLLOW : 0);
    fd = ::openat(place.dir, place.name.c_str(), flags, 0666);
    return fd >= 0 ? 0 : errno;
  });
  if (!found.ok()) return found;
  if (error == EEXIST) return Error(SysError::kFileExists);
  if (error != 0) return ErrnoError(error, true);
  Added(host);
  file = std::make_unique<PosixFile>(*this, fd);
  return Status();
}

namespace {
// What stands at a name that a move or a deletion may not take away: a folder or a read-only
// file. A link counts as itself, whatever it points at.
bool Protected(const struct stat& st) {
  return S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0);
}
}  // namespace

Status PosixFileSystem::OpenForAppend(const std::string& path, std::unique_ptr<File>& file) {
  file.reset();
  std::string host;
  if (Status s = HostPath(path, host); !s.ok()) return s;
  const int fd = ::open(host.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return ErrnoError(errno, true);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Error(SysError::kAccessDenied);
  }
  Added(host);
  file = std::make_unique<PosixFile>(*this, fd);
  return Status();
}

Status PosixFileSystem::MoveReplace(const std::string& from, const std::string& to) {
  for (int attempt = 0;; ++attempt) {
    Place source, target;
    if (Status s = Resolve(from, source); !s.ok()) return s;
    const unsigned forgotten = forgotten_;
    if (Status s = Resolve(to, target); !s.ok()) return s;
    // The second lookup found a folder deleted meanwhile and closed the kept handles, the
    // first one's among them: both are looked up again.
    if (forgotten_ != forgotten) {
      if (attempt > 0) return Error(SysError::kPathNotFound);
      continue;
    }
    struct stat st {};
    if (::fstatat(target.dir, target.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && Protected(st))
      return Error(SysError::kAccessDenied);
    if (::renameat(source.dir, source.name.c_str(), target.dir, target.name.c_str()) == 0) {
      Removed(source.host);
      Added(target.host);
      return Status();
    }
    const int error = errno;
    if (error != ENOENT || attempt > 0 || !(source.Stale() || target.Stale()))
      return ErrnoError(error, true);
    ForgetFolders();
  }
}

PathInfo PosixFileSystem::Inspect(const std::string& path) {
  PathInfo info;
  int error = 0;
  struct stat st {};
  if (!AtPlace(path, error,
               [&](Place& place) {
                 // The root itself is followed; every other last name is taken as it stands.
                 const int flags = place.root ? 0 : AT_SYMLINK_NOFOLLOW;
                 return ::fstatat(place.dir, place.name.c_str(), &st, flags) == 0 ? 0 : errno;
               })
           .ok() ||
      error != 0)
    return info;
  if (S_ISREG(st.st_mode)) {
    info.kind = PathKind::kFile;
    info.readOnly = (st.st_mode & 0222) == 0;
  } else if (S_ISDIR(st.st_mode)) {
    info.kind = PathKind::kDirectory;
  } else if (S_ISLNK(st.st_mode)) {
    info.kind = PathKind::kLink;
  } else {
    info.kind = PathKind::kOther;
  }
  return info;
}

Status PosixFileSystem::DeleteFile(const std::string& path) {
  int error = 0;
  std::string host;
  bool refused = false;
  if (Status s =
          AtPlace(path, error,
                  [&](Place& place) {
                    host = place.host;
                    struct stat st {};
                    if (::fstatat(place.dir, place.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                      return errno;
                    refused = Protected(st);
                    if (refused) return 0;
                    // A link is deleted as itself, never what it points at.
                    return ::unlinkat(place.dir, place.name.c_str(), 0) == 0 ? 0 : errno;
                  });
      !s.ok())
    return s;
  if (refused) return Error(SysError::kAccessDenied);
  if (error != 0) return ErrnoError(error, error == ENOTDIR);
  Removed(host);
  return Status();
}

Status PosixFileSystem::ListDirectory(const std::string& path, std::vector<std::string>& names) {
  names.clear();
  int error = 0, fd = -1;
  if (Status s = AtPlace(path, error,
                         [&](Place& place) {
                           fd = ::openat(place.dir, place.name.c_str(),
                                         O_RDONLY | O_DIRECTORY | O_CLOEXEC |
                                             (place.confined ? O_NOFOLLOW : 0));
                           return fd >= 0 ? 0 : errno;
                         });
      !s.ok())
    return s;
  if (error != 0) return ErrnoError(error == ELOOP ? ENOTDIR : error, true);
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    error = errno;
    ::close(fd);
    return ErrnoError(error, true);
  }
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  error = errno;
  ::closedir(dir);
  if (error != 0) {
    names.clear();
    return ErrnoError(error, true);
  }
  return Status();
}

Status PosixFileSystem::ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  int error = 0, fd = -1;
  if (Status s = AtPlace(path, error,
                         [&](Place& place) {
                           // Not blocking: a pipe standing there is refused, not waited on.
                           fd = ::openat(place.dir, place.name.c_str(),
                                         O_RDONLY | O_CLOEXEC | O_NONBLOCK |
                                             (place.confined ? O_NOFOLLOW : 0));
                           return fd >= 0 ? 0 : errno;
                         });
      !s.ok())
    return s;
  if (error != 0) return ErrnoError(error, error == ENOTDIR);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Error(SysError::kAccessDenied);
  }
  // A read that fails part-way is an error, never a file cut short.
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int failure = errno;
      ::close(fd);
      bytes.clear();
      return ErrnoError(failure, false);
    }
    if (n == 0) break;  // the file is shorter now than when it was looked at
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return Status();
}

std::string PosixFileSystem::ErrorText(SysError code) {
  return WindowsErrorText(code);
}

}  // namespace platform

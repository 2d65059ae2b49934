// The file system of a POSIX host, seen the way a Windows program sees its drives.
//
// Drive letters map onto host folders, by default z: onto "/" (as Wine does), so the current
// directory /srv/vexon7 reads as z:\srv\vexon7. Paths take "/" and "\" alike, a doubled
// separator reads as one, "." and ".." are resolved, and each name is matched against what
// already exists without regard to ASCII case (an exact match wins); a name that does not
// exist yet is created as spelled. A file without any write permission bit is read-only, for
// root too, as the Windows attribute would make it. Failures carry Windows error codes and
// texts.
//
// Below the folder given to Confine (the install root), every folder is opened by name from
// an open handle on its parent with O_NOFOLLOW, and every call works on its last name through
// the handle on its folder (openat, mkdirat, renameat, unlinkat, fstatat): a symbolic link
// among those folders stops the path as a file would, and a link at the end is never followed.
// The root itself is opened following links (the user may reach it through one); when its
// text spells the current directory, or a folder the current directory runs through, in
// another case, the current directory's own names are used, so a case-variant sibling never
// receives the run.
#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class PosixFileSystem : public FileSystem {
 public:
  // `drives` maps lower-case drive letters onto host folders; empty means {z: "/"}.
  explicit PosixFileSystem(std::map<char, std::string> drives = {});
  ~PosixFileSystem() override;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;

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

  // The host path a Windows path resolves to; an error when it names no place on this host
  // (an unmapped drive, a network path) or, below the confined root, leads through a link.
  Status HostPath(const std::string& path, std::string& host);
  // The error for errno `error`; `pathNotFound` turns "not found" into path-not-found.
  Status ErrnoError(int error, bool pathNotFound);

 private:
  friend class PosixFile;
  struct Parsed {
    char drive = 0;                  // lower-case drive letter
    std::vector<std::string> names;  // components below the drive root, "." and ".." resolved
  };
  // A host folder: an open handle on it, or AT_FDCWD with its path standing for it.
  struct Dir {
    int fd;
    const std::string& host;
  };
  class Place;
  Status Parse(const std::string& path, Parsed& out);
  // Where `path` leads: the folder holding its last name, opened as described above.
  Status Resolve(const std::string& path, Place& place);
  Status ResolveBelowRoot(const Parsed& parsed, Place& place);
  Status ResolveRoot();
  // Runs `op` (which returns 0 or an errno) on the place `path` leads to. When it fails with
  // ENOENT in a folder from the cache that was deleted meanwhile, the folders are looked up
  // afresh and `op` runs once more. `error` is op's errno; the Status is the lookup's.
  template <typename Op>
  Status AtPlace(const std::string& path, int& error, Op&& op);
  // Forgets every folder found and listed (all handles closed), and counts it in forgotten_.
  void ForgetFolders();
  // The name in folder `dir` that `name` stands for: itself when it exists as spelled, else
  // its case variant (the lowest when there are several), else itself. `listed` tells whether
  // the folder's listing holds the name returned.
  std::string MatchName(const Dir& dir, const std::string& name, bool* listed = nullptr);
  // Keeps the known listing of a folder in step with what this file system changed in it.
  void Added(const std::string& hostPath);
  void Removed(const std::string& hostPath);
  // An open handle on a host folder outside the confined root, or -1.
  int FolderHandle(const std::string& folder);
  std::map<char, std::string> drives_;
  // Resolving a path looks at every folder on its way; a run resolves the same folders
  // thousands of times. So folders found once are remembered by their Windows form as spelled,
  // and the names of a folder below the root, or of one outside it that had to be searched for
  // a case variant, are remembered by lower-cased name, kept up to date by this file system's
  // own changes. (A change made by
  // another program during the run may go unseen; it then fails as the system reports it.)
  std::unordered_map<std::string, std::string> folders_;
  std::unordered_map<std::string, std::unordered_map<std::string, std::vector<std::string>>>
      listings_;
  // Handles on the folders files were created in: a file is then created by its name alone,
  // and the system does not walk the whole path again for each of thousands of files.
  std::unordered_map<std::string, int> folderHandles_;
  static constexpr std::size_t kFolderHandles = 64;

  // The confined root: its drive and names (as the current directory spells them when it is
  // the current directory or one of its parents), and once opened, a handle on it and its host
  // path. Folders below it are kept open by their names below the root as spelled, with their
  // host paths (at most kFolderHandles; more are opened for the one call).
  bool confined_ = false;
  char rootDrive_ = 0;
  std::vector<std::string> rootNames_;
  int rootFd_ = -1;
  std::string rootHost_;
  struct OpenFolder {
    int fd;
    std::string host;
  };
  std::unordered_map<std::string, OpenFolder> rootFolders_;
  unsigned forgotten_ = 0;
};

}  // namespace platform

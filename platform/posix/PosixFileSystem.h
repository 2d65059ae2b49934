// The file system of a POSIX host, seen the way a Windows program sees its drives.
//
// Drive letters map onto host folders, by default z: onto "/" (as Wine does), so the current
// directory /srv/vexon7 reads as z:\srv\vexon7. Paths take "/" and "\" alike, a doubled
// separator reads as one, "." and ".." are resolved, and each name is matched against what
// already exists without regard to ASCII case (an exact match wins); a name that does not
// exist yet is created as spelled. A file without any write permission bit is read-only, for
// root too, as the Windows attribute would make it. Failures carry Windows error codes and
// texts.
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
  // (an unmapped drive, a network path).
  Status HostPath(const std::string& path, std::string& host);

 private:
  friend class PosixFile;
  struct Parsed {
    char drive = 0;                  // lower-case drive letter
    std::vector<std::string> names;  // components below the drive root, "." and ".." resolved
  };
  Status Parse(const std::string& path, Parsed& out);
  // The name in host folder `folder` that `name` stands for: itself when it exists as spelled,
  // else its case variant (the lowest when there are several), else itself.
  std::string MatchName(const std::string& folder, const std::string& name);
  // Keeps the known listing of a folder in step with what this file system changed in it.
  void Added(const std::string& hostPath);
  void Removed(const std::string& hostPath);
  // An open handle on a host folder for creating files in it, or -1.
  int FolderHandle(const std::string& folder);
  // The error for errno `error`; `pathNotFound` turns "not found" into path-not-found.
  Status ErrnoError(int error, bool pathNotFound);

  std::map<char, std::string> drives_;
  // Resolving a path looks at every folder on its way; a run resolves the same folders
  // thousands of times. So folders found once are remembered by their Windows form as spelled,
  // and the names of a folder that had to be searched for a case variant are remembered by
  // lower-cased name, kept up to date by this file system's own changes. (A change made by
  // another program during the run may go unseen; it then fails as the system reports it.)
  std::unordered_map<std::string, std::string> folders_;
  std::unordered_map<std::string, std::unordered_map<std::string, std::vector<std::string>>>
      listings_;
  // Handles on the folders files were created in: a file is then created by its name alone,
  // and the system does not walk the whole path again for each of thousands of files.
  std::unordered_map<std::string, int> folderHandles_;
  static constexpr std::size_t kFolderHandles = 64;
};

}  // namespace platform

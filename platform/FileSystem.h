// The only door to the operating system's file system. Everything above platform/ reaches files
// through this interface, so that the same run works on Windows, on a Linux file server, and
// against the fault-injecting double in tests.
//
// The interface speaks Windows: paths take "/" and "\" alike and read a doubled separator as
// one, names are matched without regard to ASCII case, failures carry Windows error codes and
// the system's own texts. Strings are UTF-8.
//
// Every call that can fail returns a Status: success, or the Windows error code with the
// system's text for it. Nothing is kept between calls, so a failure can be passed on, kept or
// reported by whoever received it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// Windows system error codes; the POSIX implementation maps errno onto these.
enum class SysError : std::uint32_t {
  kNone = 0,
  kFileNotFound = 2,       // ERROR_FILE_NOT_FOUND
  kPathNotFound = 3,       // ERROR_PATH_NOT_FOUND
  kAccessDenied = 5,       // ERROR_ACCESS_DENIED
  kNotEnoughMemory = 8,    // ERROR_NOT_ENOUGH_MEMORY
  kWriteFault = 29,        // ERROR_WRITE_FAULT
  kReadFault = 30,         // ERROR_READ_FAULT
  kSharingViolation = 32,  // ERROR_SHARING_VIOLATION
  kBadNetPath = 53,        // ERROR_BAD_NETPATH
  kHandleDiskFull = 39,    // ERROR_HANDLE_DISK_FULL
  kFileExists = 80,        // ERROR_FILE_EXISTS
  kInvalidParameter = 87,  // ERROR_INVALID_PARAMETER
  kDiskFull = 112,         // ERROR_DISK_FULL
  kInvalidName = 123,      // ERROR_INVALID_NAME
  kDirNotEmpty = 145,      // ERROR_DIR_NOT_EMPTY
  kAlreadyExists = 183,    // ERROR_ALREADY_EXISTS
  kFilenameTooLong = 206,  // ERROR_FILENAME_EXCED_RANGE
};

// The outcome of a call: success, or a Windows error code with the system's text for it.
class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status Error(SysError code, std::string text) { return Status(code, std::move(text)); }

  bool ok() const { return code_ == SysError::kNone; }
  SysError code() const { return code_; }
  // The system's text, as Windows words it ("Access is denied."); empty on success.
  const std::string& text() const { return text_; }
  // The code is one of "something is already there".
  bool Exists() const {
    return code_ == SysError::kFileExists || code_ == SysError::kAlreadyExists;
  }

 private:
  Status(SysError code, std::string text) : code_(code), text_(std::move(text)) {}
  SysError code_ = SysError::kNone;
  std::string text_;
};

// What is at a path. The last name of a path is never followed: a symbolic link (or, on
// Windows, a junction or other reparse point) is reported as itself.
enum class PathKind {
  kMissing,
  kFile,       // a regular file
  kDirectory,  // a folder
  kLink,       // a symbolic link, junction or other reparse point
  kOther,      // anything else: a pipe, a socket, a device
};

struct PathInfo {
  PathKind kind = PathKind::kMissing;
  bool readOnly = false;  // a file without any write permission (the Windows read-only attribute)
};

// An open file, written front to back. Destroying an open file closes it.
class File {
 public:
  virtual ~File() = default;
  // Writes the parts one after another, all of them or fail: a write that stops short (a full
  // disk) is an error. A file system may gather the parts into one system call.
  virtual Status WriteParts(std::span<const std::span<const std::uint8_t>> parts) = 0;
  Status Write(const void* data, std::size_t size) {
    const std::span<const std::uint8_t> part(static_cast<const std::uint8_t*>(data), size);
    return WriteParts(std::span(&part, 1));
  }
  // Closes the handle; an error when the system reports a failure (data not flushed).
  virtual Status Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The process's current directory in Windows form ("c:\vexon7" or "\\server\share" on
  // Windows, "z:\home\ana\vexon7" for a POSIX path), never with a trailing separator except a
  // root. An error when the system cannot say (a folder deleted under the process).
  virtual Status CurrentDirectory(std::string& directory) = 0;
  virtual Status SetCurrentDirectory(const std::string& path) = 0;

  // Keeps every later call inside `root`, the folder a run installs into. The folders below
  // it are opened without following symbolic links or reparse points: a link standing for one
  // of them is taken like a file standing there (a path through it is not found), and a link
  // at the end of a path below it is never written or read through (it is replaced or
  // deleted as itself). So nothing outside `root` is created, replaced or deleted through a
  // link. `root` itself and the folders above it are the user's choice and are followed; on a
  // host with case-sensitive names, a root that spells the current directory (or a folder it
  // runs through) in another case names that folder. Paths outside `root` are unaffected.
  virtual void Confine(const std::string& root) = 0;

  // Creates one directory; its parent must exist.
  virtual Status CreateDirectory(const std::string& path) = 0;

  // Creates a file for writing, truncating one that exists (create-always), or, with
  // `mustBeNew`, failing with kFileExists when anything exists at the path.
  virtual Status CreateFile(const std::string& path, bool mustBeNew,
                            std::unique_ptr<File>& file) = 0;

  // Opens a file for adding to its end, creating it when missing; others may read it
  // meanwhile. Each write goes to the end of the file as it is then (a log).
  virtual Status OpenForAppend(const std::string& path, std::unique_ptr<File>& file) = 0;

  // Replaces `to` by `from` in one step (both in the same folder); `to` may or may not exist.
  virtual Status MoveReplace(const std::string& from, const std::string& to) = 0;

  // What is at the path; kMissing also when it cannot be looked at.
  virtual PathInfo Inspect(const std::string& path) = 0;
  // A regular file exists at the path.
  bool FileExists(const std::string& path) { return Inspect(path).kind == PathKind::kFile; }

  virtual Status DeleteFile(const std::string& path) = 0;

  // The names in a folder (files and folders, without "." and ".."), in no particular order.
  virtual Status ListDirectory(const std::string& path, std::vector<std::string>& names) = 0;
  // The whole content of a file; an error when any part of it cannot be read.
  virtual Status ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) = 0;

  // The path made absolute and normalised in Windows form: "/" become "\", doubled separators
  // single, "." and ".." resolved.
  virtual std::string FullPath(const std::string& path) = 0;

  // The system's text for an error code, as Windows words it, without a line break at its end.
  virtual std::string ErrorText(SysError code) = 0;
  // A failure with `code` and this system's text for it.
  Status Error(SysError code) { return Status::Error(code, ErrorText(code)); }
};

// Forwards every call to another file system. A file system that changes a few calls of
// another (a fault injector, a read-only view) derives from it and overrides only those.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : target_(target) {}
  FileSystem& target() const { return target_; }

  Status CurrentDirectory(std::string& directory) override {
    return target_.CurrentDirectory(directory);
  }
  Status SetCurrentDirectory(const std::string& path) override {
    return target_.SetCurrentDirectory(path);
  }
  void Confine(const std::string& root) override { target_.Confine(root); }
  Status CreateDirectory(const std::string& path) override { return target_.CreateDirectory(path); }
  Status CreateFile(const std::string& path, bool mustBeNew, std::unique_ptr<File>& file) override {
    return target_.CreateFile(path, mustBeNew, file);
  }
  Status OpenForAppend(const std::string& path, std::unique_ptr<File>& file) override {
    return target_.OpenForAppend(path, file);
  }
  Status MoveReplace(const std::string& from, const std::string& to) override {
    return target_.MoveReplace(from, to);
  }
  PathInfo Inspect(const std::string& path) override { return target_.Inspect(path); }
  Status DeleteFile(const std::string& path) override { return target_.DeleteFile(path); }
  Status ListDirectory(const std::string& path, std::vector<std::string>& names) override {
    return target_.ListDirectory(path, names);
  }
  Status ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) override {
    return target_.ReadFile(path, bytes);
  }
  std::string FullPath(const std::string& path) override { return target_.FullPath(path); }
  std::string ErrorText(SysError code) override { return target_.ErrorText(code); }

 private:
  FileSystem& target_;
};

// The text Windows gives for a code (the English wording); "Unknown error N." for others. The
// POSIX file system and the test doubles use it; the Win32 one asks the system instead.
std::string WindowsErrorText(SysError code);

}  // namespace platform

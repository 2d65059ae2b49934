// The only door to the operating system's file system. Everything above platform/ reaches files
// through this interface, so that the same run works on Windows, on a Linux file server, and
// against the fault-injecting double in tests.
//
// The interface speaks Windows: paths take "/" and "\" alike and read a doubled separator as
// one, names are matched without regard to ASCII case, failures carry Windows error codes and
// the system's own texts. Strings are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
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

// What is at a path.
enum class PathKind { kMissing, kFile, kDirectory };

struct PathInfo {
  PathKind kind = PathKind::kMissing;
  bool readOnly = false;  // a file without any write permission (the Windows read-only attribute)
};

// An open file, written front to back. Destroying an open file closes it.
class File {
 public:
  virtual ~File() = default;
  // Writes up to `size` bytes; returns how many were written (fewer on a full disk or an
  // error, with the reason in the file system's LastError()).
  virtual std::size_t Write(const void* data, std::size_t size) = 0;
  // Writes the parts one after another, stopping at the first that comes back short; returns
  // the bytes written in all. A file system may gather them into one system call.
  virtual std::size_t WriteParts(std::span<const std::span<const std::uint8_t>> parts) {
    std::size_t total = 0;
    for (const auto& part : parts) {
      const std::size_t done = Write(part.data(), part.size());
      total += done;
      if (done != part.size()) break;
    }
    return total;
  }
  // Closes the handle; false when the system reports a failure (data not flushed).
  virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The process's current directory in Windows form ("c:\vexon7" or "\\server\share" on
  // Windows, "\home\ana\vexon7" for a POSIX path), never with a trailing separator except a
  // root.
  virtual std::string CurrentDirectory() = 0;
  virtual bool SetCurrentDirectory(const std::string& path) = 0;

  // Creates one directory; its parent must exist. False when it cannot, reason in LastError().
  virtual bool CreateDirectory(const std::string& path) = 0;

  // Creates a file for writing, truncating one that exists (create-always), or, with
  // `mustBeNew`, failing with kFileExists when anything exists at the path. Null on failure,
  // reason in LastError().
  virtual std::unique_ptr<File> CreateFile(const std::string& path, bool mustBeNew = false) = 0;

  // Replaces `to` by `from` in one step (both in the same folder); `to` may or may not exist.
  virtual bool MoveReplace(const std::string& from, const std::string& to) = 0;

  virtual PathInfo Inspect(const std::string& path) = 0;
  // A file, not a directory, exists at the path.
  bool FileExists(const std::string& path) { return Inspect(path).kind == PathKind::kFile; }

  virtual bool DeleteFile(const std::string& path) = 0;

  // The names in a folder (files and folders, without "." and ".."), in no particular order.
  // False when the folder cannot be read, reason in LastError().
  virtual bool ListDirectory(const std::string& path, std::vector<std::string>& names) = 0;
  // The whole content of a file. False when it cannot be read, reason in LastError().
  virtual bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) = 0;

  // The path made absolute and normalised in Windows form: "/" become "\", doubled separators
  // single, "." and ".." resolved.
  virtual std::string FullPath(const std::string& path) = 0;

  // The reason of the last failed call on this thread.
  virtual SysError LastError() = 0;
  // The system's text for an error code, as Windows words it.
  virtual std::string ErrorText(SysError code) = 0;
};

// The text Windows gives for a code (the English wording); "Unknown error N." for others. The
// POSIX file system and the test doubles use it; the Win32 one asks the system instead.
std::string WindowsErrorText(SysError code);

}  // namespace platform

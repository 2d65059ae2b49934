#include "platform/FileSystem.h"

namespace platform {

std::string WindowsErrorText(SysError code) {
  switch (code) {
    case SysError::kNone:
      return "The operation completed successfully.";
    case SysError::kFileNotFound:
      return "The system cannot find the file specified.";
    case SysError::kPathNotFound:
      return "The system cannot find the path specified.";
    case SysError::kAccessDenied:
      return "Access is denied.";
    case SysError::kNotEnoughMemory:
      return "Not enough memory resources are available to process this command.";
    case SysError::kWriteFault:
      return "The system cannot write to the specified device.";
    case SysError::kReadFault:
      return "The system cannot read from the specified device.";
    case SysError::kSharingViolation:
      return "The process cannot access the file because it is being used by another process.";
    case SysError::kBadNetPath:
      return "The network path was not found.";
    case SysError::kHandleDiskFull:
      return "The disk is full.";
    case SysError::kFileExists:
      return "The file exists.";
    case SysError::kInvalidParameter:
      return "The parameter is incorrect.";
    case SysError::kDiskFull:
      return "There is not enough space on the disk.";
    case SysError::kInvalidName:
      return "The filename, directory name, or volume label syntax is incorrect.";
    case SysError::kDirNotEmpty:
      return "The directory is not empty.";
    case SysError::kAlreadyExists:
      return "Cannot create a file when that file already exists.";
    case SysError::kFilenameTooLong:
      return "The filename or extension is too long.";
  }
  return "Unknown error " + std::to_string(static_cast<std::uint32_t>(code)) + ".";
}

}  // namespace platform

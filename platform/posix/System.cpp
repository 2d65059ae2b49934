#include "platform/System.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "platform/posix/PosixFileSystem.h"

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string UserName() {
  if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name != nullptr)
    return entry->pw_name;
  if (const char* name = std::getenv("USER"); name != nullptr && *name != '\0') return name;
  return "?";
}

std::string MachineName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "?";
  return name;
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder == '/' ? folder : "/tmp";
}

bool InteractiveSession(std::string& why) {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  why = "no display";
  return false;
}

bool IsSystemFolder(const std::string& folder) {
  PosixFileSystem files;
  std::string host;
  if (!files.HostPath(folder, host).ok()) return false;
  if (host.empty() || host == "/") return true;
  // /dev/shm is the one folder under /dev meant for ordinary files: scratch space on a memory
  // file system, like /tmp.
  if (host == "/dev/shm" || host.starts_with("/dev/shm/")) return false;
  // The first name below "/".
  const std::string_view first = std::string_view(host).substr(
      1, host.find('/', 1) == std::string::npos ? std::string::npos : host.find('/', 1) - 1);
  for (std::string_view system : {"usr", "etc", "bin", "sbin", "boot", "proc", "sys", "dev", "run"})
    if (first == system) return true;
  return first.starts_with("lib");
}

}  // namespace platform

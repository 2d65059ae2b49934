#include "platform/System.h"

#include "platform/win32/Windows.h"

#include <shellapi.h>

#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform {

namespace {

// The folder as compared: lower-cased (A to Z), without a trailing separator.
std::string Comparable(std::string path) {
  path = LowerAscii(path);
  for (char& c : path)
    if (c == '/') c = '\\';
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

std::string UserName() {
  wchar_t name[257] = {};
  DWORD size = 257;
  if (!GetUserNameW(name, &size)) return "?";
  return Narrow(name);
}

std::string MachineName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(name, &size)) return "?";
  return Narrow(name);
}

std::string TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return "c:\\windows\\temp";
  return Narrow(folder);
}

bool InteractiveSession(std::string& why) {
  DWORD session = 0;
  if (ProcessIdToSessionId(GetCurrentProcessId(), &session) && session == 0) {
    why = "session 0 (a service or a deployment agent)";
    return false;
  }
  USEROBJECTFLAGS flags{};
  if (HWINSTA station = GetProcessWindowStation();
      station != nullptr &&
      GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr) &&
      (flags.dwFlags & WSF_VISIBLE) == 0) {
    why = "no visible window station";
    return false;
  }
  return true;
}

bool IsSystemFolder(const std::string& folder) {
  wchar_t windows[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return false;
  const std::string system = Comparable(Narrow(windows));
  const std::string path = Comparable(folder);
  return path == system ||
         (path.size() > system.size() && path.starts_with(system) && path[system.size()] == '\\');
}

}  // namespace platform

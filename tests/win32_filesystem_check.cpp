// Checks Win32FileSystem against the real Windows API (run under Wine by the end-to-end test, or
// on Windows). Usage: win32_filesystem_check <empty work folder> [links folder]. Prints one line
// per check and a summary; exits 1 when any check fails. With --hold-lock ROOT STOPFILE it
// holds the installation lock of ROOT instead, until STOPFILE exists.
//
// The checks of a confined file system need links below an install root. The program makes
// junctions itself where the system can (FSCTL_SET_REPARSE_POINT); Wine 8 cannot, but shows a
// host's symbolic link as a reparse point, so the end-to-end test passes a links folder it
// prepared with symbolic links: root1\btn and root2\btn\pet and root2\txt lead to outside,
// root2\btn\a.bmp to outside\victim.bmp.
//
// What the file system wrote is read back through the raw wide API, not through the class
// under test.
#include "platform/win32/Windows.h"

#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/InstanceLock.h"
#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

using platform::PathKind;
using platform::SysError;

int failures = 0;

void Check(bool ok, const std::string& what, const std::string& detail = std::string()) {
  if (!ok) ++failures;
  std::printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", what.c_str(), detail.empty() ? "" : ": ",
              detail.c_str());
}

std::string Code(SysError e) {
  return std::to_string(static_cast<unsigned>(e));
}

// A call that must succeed.
void Check(const platform::Status& done, const std::string& what) {
  Check(done.ok(), what,
        done.ok() ? std::string() : "error " + Code(done.code()) + ": " + done.text());
}

// The call must have failed with `want`.
void Refused(const platform::Status& done, SysError want, const std::string& what) {
  const bool failed = !done.ok();
  Check(failed && done.code() == want, what + " is refused",
        failed ? "error " + Code(done.code()) + ", want " + Code(want) : "it succeeded");
}

// The file system's status of creating a file, the file dropped.
platform::Status Create(platform::FileSystem& fs, const std::string& path, bool mustBeNew) {
  std::unique_ptr<platform::File> file;
  return fs.CreateFile(path, mustBeNew, file);
}

std::string Cwd(platform::FileSystem& fs) {
  std::string directory;
  Check(fs.CurrentDirectory(directory), "read the current directory");
  return directory;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring out;
  if (!platform::Widen(utf8, out)) std::printf("(not UTF-8: %s)\n", utf8.c_str());
  return out;
}

// The whole content of a file, read with the raw API; "<missing>" when it cannot be opened.
std::string ReadAll(const std::string& path) {
  const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
  CloseHandle(h);
  return out;
}

// Creates `path` with `content` through the class under test; true when every step worked.
bool WriteThrough(platform::FileSystem& fs, const std::string& path, const std::string& content,
                  bool mustBeNew = false) {
  std::unique_ptr<platform::File> file;
  if (!fs.CreateFile(path, mustBeNew, file).ok()) return false;
  const bool wrote = file->Write(content.data(), content.size()).ok();
  return file->Close().ok() && wrote;
}

void CheckCreateFile(platform::FileSystem& fs, const std::string& dir) {
  const std::string path = dir + "\\create.bin";
  // Create-always: a second creation truncates the first content.
  Check(WriteThrough(fs, path, "first and longer content"), "create-always writes a new file");
  Check(WriteThrough(fs, path, "second"), "create-always opens an existing file");
  Check(ReadAll(path) == "second", "create-always truncates",
        "read back \"" + ReadAll(path) + "\"");

  // A write larger than one buffer is reported whole.
  const std::string big(300000, 'b');
  std::unique_ptr<platform::File> file;
  Check(fs.CreateFile(dir + "\\big.bin", false, file), "create a large file");
  Check(file && file->Write(big.data(), big.size()).ok(), "write reports all bytes");
  Check(file && file->Close().ok(), "close succeeds");
  Check(ReadAll(dir + "\\big.bin") == big, "large write reads back");

  // No sharing: while open, nobody else may open the file.
  std::unique_ptr<platform::File> held;
  Check(fs.CreateFile(dir + "\\held.bin", false, held), "create a file to hold open");
  Check(ReadAll(dir + "\\held.bin") == "<missing>", "an open file is not shared");
  Refused(Create(fs, dir + "\\held.bin", false), SysError::kSharingViolation,
          "second creation of an open file");
  held.reset();  // destroying closes
  Check(ReadAll(dir + "\\held.bin").empty(), "destroying a file closes it");

  // Must-be-new: refused over a file and over a folder, allowed on a free name.
  Refused(Create(fs, path, true), SysError::kFileExists, "must-be-new over an existing file");
  Check(ReadAll(path) == "second", "must-be-new leaves the existing file alone");
  Check(fs.CreateDirectory(dir + "\\folder"), "create a folder for must-be-new");
  Refused(Create(fs, dir + "\\folder", true), SysError::kFileExists, "must-be-new over a folder");
  Check(WriteThrough(fs, dir + "\\fresh.bin", "fresh", true), "must-be-new on a free name");
  Check(ReadAll(dir + "\\fresh.bin") == "fresh", "must-be-new content reads back");

  // Windows path handling: forward slashes and doubled separators reach the same file.
  Check(WriteThrough(fs, dir + "\\\\folder/Slashes.BIN", "mixed"), "mixed separators create");
  Check(ReadAll(dir + "\\folder\\slashes.bin") == "mixed", "names are matched without case");

  Refused(Create(fs, dir + "\\folder", false), SysError::kAccessDenied,
          "create-always over a folder");

  // A file in a folder that does not exist.
  Refused(Create(fs, dir + "\\nowhere\\x.bin", false), SysError::kPathNotFound,
          "file in a missing folder");
}

void CheckDirectories(platform::FileSystem& fs, const std::string& dir) {
  struct Case {
    const char* name;
    std::string path;
    bool ok;
    SysError error;
  };
  const std::vector<Case> cases = {
      {"new folder", dir + "\\made", true, SysError::kNone},
      {"existing folder", dir + "\\made", false, SysError::kAlreadyExists},
      {"existing folder, other case and slash", dir + "/MADE", false, SysError::kAlreadyExists},
      {"name of an existing file", dir + "\\create.bin", false, SysError::kAlreadyExists},
      {"missing parent", dir + "\\absent\\child", false, SysError::kPathNotFound},
      {"doubled separator", dir + "\\made\\\\sub", true, SysError::kNone},
  };
  for (const Case& c : cases) {
    const std::string what = std::string("create directory, ") + c.name;
    if (c.ok) {
      Check(fs.CreateDirectory(c.path), what);
    } else {
      Refused(fs.CreateDirectory(c.path), c.error, what);
    }
  }
  Check(fs.Inspect(dir + "\\made\\sub").kind == PathKind::kDirectory, "nested folder exists");
}

void CheckInspectAndDelete(platform::FileSystem& fs, const std::string& dir) {
  struct Case {
    const char* name;
    std::string path;
    PathKind kind;
  };
  const std::vector<Case> cases = {
      {"file", dir + "\\create.bin", PathKind::kFile},
      {"file, other case", dir + "\\CREATE.BIN", PathKind::kFile},
      {"folder", dir + "\\made", PathKind::kDirectory},
      {"missing", dir + "\\none.bin", PathKind::kMissing},
  };
  for (const Case& c : cases)
    Check(fs.Inspect(c.path).kind == c.kind, std::string("inspect ") + c.name);
  Check(!fs.FileExists(dir + "\\made"), "a folder is no file");

  Check(fs.DeleteFile(dir + "\\fresh.bin"), "delete a file");
  Check(ReadAll(dir + "\\fresh.bin") == "<missing>", "deleted file is gone");
  Refused(fs.DeleteFile(dir + "\\fresh.bin"), SysError::kFileNotFound, "delete a missing file");
}

void CheckReadOnly(platform::FileSystem& fs, const std::string& dir) {
  const std::string path = dir + "\\locked.bin";
  Check(WriteThrough(fs, path, "keep"), "create a file to lock");
  Check(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY) != 0,
        "set the read-only attribute");
  const platform::PathInfo info = fs.Inspect(path);
  Check(info.kind == PathKind::kFile && info.readOnly, "inspect sees read-only");
  Check(!fs.Inspect(dir + "\\create.bin").readOnly, "inspect sees a writable file");
  Refused(Create(fs, path, false), SysError::kAccessDenied, "create-always over a read-only file");
  Check(ReadAll(path) == "keep", "read-only file keeps its content");
  Refused(fs.DeleteFile(path), SysError::kAccessDenied, "delete a read-only file");
  Check(WriteThrough(fs, dir + "\\locked.new", "new"), "create a replacement for it");
  Refused(fs.MoveReplace(dir + "\\locked.new", path), SysError::kAccessDenied,
          "move over a read-only file");
  Check(ReadAll(path) == "keep", "read-only file survives the move");
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

void CheckMoveReplace(platform::FileSystem& fs, const std::string& dir) {
  Check(WriteThrough(fs, dir + "\\target.bin", "old content"), "create the target");
  Check(WriteThrough(fs, dir + "\\target.new", "new"), "create the replacement");
  Check(fs.MoveReplace(dir + "\\target.new", dir + "\\target.bin"), "move over an existing file");
  Check(ReadAll(dir + "\\target.bin") == "new", "target holds the replacement");
  Check(ReadAll(dir + "\\target.new") == "<missing>", "the moved file is gone");
  Check(WriteThrough(fs, dir + "\\other.new", "other"), "create a second replacement");
  Check(fs.MoveReplace(dir + "\\other.new", dir + "\\other.bin"), "move to a free name");
  Check(ReadAll(dir + "\\other.bin") == "other", "free name holds the moved file");
  Check(WriteThrough(fs, dir + "\\onto.new", "onto"), "create a file to move onto a folder");
  Refused(fs.MoveReplace(dir + "\\onto.new", dir + "\\made"), SysError::kAccessDenied,
          "move over a folder");
  Refused(fs.MoveReplace(dir + "\\gone.new", dir + "\\other.bin"), SysError::kFileNotFound,
          "move a missing file");
}

void CheckFullPath(platform::FileSystem& fs, const std::string& dir) {
  struct Case {
    std::string in;
    std::string want;
  };
  const std::vector<Case> cases = {
      {"d:\\a/b\\\\c", "d:\\a\\b\\c"},
      {"d:/a/./b/../c", "d:\\a\\c"},
      {"c:\\\\btn", "c:\\btn"},
      {"relative\\x.bin", dir + "\\relative\\x.bin"},
  };
  for (const Case& c : cases) {
    const std::string got = fs.FullPath(c.in);
    Check(got == c.want, "full path of \"" + c.in + "\"", "got \"" + got + "\"");
  }
}

void CheckNonAnsiFolder(platform::FileSystem& fs, const std::string& dir) {
  const std::string name = "A\xC3\xA7\xC3\xA3o";  // "Ação" in UTF-8
  const std::string path = dir + "\\" + name;
  Check(fs.CreateDirectory(path), "create a folder with accented letters");
  // On disk the name is the UTF-16 text, not its bytes read in some code page.
  WIN32_FIND_DATAW found{};
  const HANDLE find = FindFirstFileW((Wide(dir) + L"\\A\u00E7\u00E3o").c_str(), &found);
  Check(find != INVALID_HANDLE_VALUE && std::wstring(found.cFileName) == L"A\u00E7\u00E3o",
        "accented folder name on disk");
  if (find != INVALID_HANDLE_VALUE) FindClose(find);

  const std::string before = Cwd(fs);
  Refused(fs.SetCurrentDirectory(dir + "\\absent"), SysError::kFileNotFound,
          "enter a missing folder");
  // A code without a name of its own is kept as the system's number (267, not a directory).
  Refused(fs.SetCurrentDirectory(dir + "\\create.bin"), static_cast<SysError>(267u),
          "enter a file");
  Check(Cwd(fs) == before, "refused changes leave the current directory");
  Check(fs.SetCurrentDirectory(path), "enter the accented folder");
  const std::string now = Cwd(fs);
  Check(now == path, "current directory round trip", "got \"" + now + "\"");
  Check(WriteThrough(fs, "inside.txt", "relative"), "relative file in the accented folder");
  Check(ReadAll(path + "\\inside.txt") == "relative", "relative file landed in the folder");
  Check(fs.SetCurrentDirectory(before), "return to the work folder");
  Refused(fs.CreateDirectory(dir + "\\bad\xFF"), SysError::kInvalidName,
          "a path that is not UTF-8");
}

void CheckLongPaths(platform::FileSystem& fs, const std::string& dir) {
  // Folders of 60 characters, nested until the path passes 300 characters.
  std::string path = dir;
  platform::Status created;
  while (path.size() <= 300 && created.ok()) {
    path += "\\" + std::string(60, static_cast<char>('a' + path.size() % 26));
    created = fs.CreateDirectory(path);
  }
  Check(created, "create folders past 260 characters (" + std::to_string(path.size()) + ")");
  Check(WriteThrough(fs, path + "\\deep.bin", "deep"), "create a file past 260 characters");
  Check(fs.Inspect(path + "\\deep.bin").kind == PathKind::kFile, "inspect a file past 260");
  Check(fs.FullPath(path + "\\x\\..\\deep.bin") == path + "\\deep.bin", "full path past 260");

  const std::string before = Cwd(fs);
  const platform::Status enteredStatus = fs.SetCurrentDirectory(path);
  const bool entered = enteredStatus.ok();
  Check(enteredStatus, "enter a folder past 260 characters");
  if (entered) {
    const std::string now = Cwd(fs);
    Check(platform::EqualsIgnoreAsciiCase(now, path), "long current directory round trip",
          std::to_string(now.size()) + " characters read back");
    Check(fs.FileExists("deep.bin"), "relative name in a long current directory");
  }
  Check(fs.SetCurrentDirectory(before), "return from the long folder");
}

void CheckErrorTexts(platform::FileSystem& fs) {
  const std::string pathText = fs.ErrorText(SysError::kPathNotFound);
  const std::string fileText = fs.ErrorText(SysError::kFileNotFound);
  std::printf("     system text for path not found: \"%s\"\n", pathText.c_str());
  Check(!pathText.empty() && pathText != fileText, "system texts differ by code");
  Check(pathText.find_first_of("\r\n") == std::string::npos,
        "the system's text has no line break (it goes inside messages)");
  const std::string unknown = fs.ErrorText(static_cast<SysError>(987654u));
  Check(unknown == "Unknown error 987654.", "text for a code the system does not know",
        "got \"" + unknown + "\"");
}

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Every file directly in a folder with its content, read with the raw API.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> out;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((Wide(dir) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return out;
  do {
    const std::string name = platform::Narrow(found.cFileName);
    if (name != "." && name != "..") out[name] = ReadAll(dir + "\\" + name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return out;
}

void WriteRaw(const std::string& path, const std::string& content) {
  const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (h != INVALID_HANDLE_VALUE) {
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
  }
}

// Makes the new folder `link` a junction to the folder `target` (a full path); the system's
// error when it cannot.
DWORD MakeJunction(const std::string& link, const std::string& target) {
  if (!CreateDirectoryW(Wide(link).c_str(), nullptr)) return GetLastError();
  const HANDLE h = CreateFileW(Wide(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return GetLastError();
  const std::wstring substitute = L"\\??\\" + Wide(target);
  const std::wstring print = Wide(target);
  const WORD substituteBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
  const WORD printBytes = static_cast<WORD>(print.size() * sizeof(wchar_t));
  // The mount point reparse buffer: tag, data length, reserved, then the offsets and lengths of
  // the two names and the names themselves, each ending with a NUL.
  std::vector<unsigned char> buffer(8 + 8 + substituteBytes + 2 + printBytes + 2, 0);
  const auto put16 = [&](std::size_t at, WORD v) { std::memcpy(&buffer[at], &v, 2); };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(&buffer[0], &tag, 4);
  put16(4, static_cast<WORD>(buffer.size() - 8));
  put16(8, 0);
  put16(10, substituteBytes);
  put16(12, static_cast<WORD>(substituteBytes + 2));
  put16(14, printBytes);
  std::memcpy(&buffer[16], substitute.data(), substituteBytes);
  std::memcpy(&buffer[16 + substituteBytes + 2], print.data(), printBytes);
  DWORD returned = 0;
  const BOOL done =
      DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                      nullptr, 0, &returned, nullptr);
  const DWORD error = done ? 0 : GetLastError();
  CloseHandle(h);
  if (!done) RemoveDirectoryW(Wide(link).c_str());
  return error;
}

// A confined file system never reaches through a link below the root: `links` holds root1,
// root2 and outside as the file comment says.
void CheckConfinement(const std::string& links) {
  const std::string outside = links + "\\outside";
  const auto before = Snapshot(outside);
  Check(before.size() == 3, "the outside folder holds its three victims",
        std::to_string(before.size()) + " files");
  struct Case {
    std::string root;
    std::string link;
  };
  const std::vector<Case> cases = {
      {links + "\\root1", links + "\\root1\\btn"},
      {links + "\\root2", links + "\\root2\\btn\\pet"},
      {links + "\\root2", links + "\\root2\\txt"},
  };
  for (const Case& c : cases) {
    platform::Win32FileSystem fs;
    fs.Confine(c.root);
    const std::string in = c.link + "\\";
    const std::string what = " through " + c.link;
    Check(fs.Inspect(c.link).kind == PathKind::kLink, "a link is inspected as a link: " + c.link);
    Refused(Create(fs, in + "new.bmp", true), SysError::kPathNotFound, "a new file" + what);
    Refused(Create(fs, in + "pict.txt", false), SysError::kPathNotFound, "create-always" + what);
    Refused(fs.CreateDirectory(in + "sub"), SysError::kPathNotFound, "a folder" + what);
    Refused(fs.DeleteFile(in + "pict.txt"), SysError::kPathNotFound, "a deletion" + what);
    Refused(fs.MoveReplace(in + "~instalador-1.tmp", in + "pict.txt"), SysError::kPathNotFound,
            "a move" + what);
    std::vector<std::uint8_t> bytes;
    Check(!fs.ReadFile(in + "pict.txt", bytes).ok(), "no read" + what);
    std::vector<std::string> names;
    Check(!fs.ListDirectory(c.link, names).ok() && names.empty(), "no listing" + what);
    Check(!fs.SetCurrentDirectory(c.link).ok(), "no change of directory" + what);
    Check(fs.Inspect(in + "pict.txt").kind == PathKind::kMissing, "nothing inspected" + what);
  }

  // A link at the last name is taken as itself. Wine 8 shows a host's symbolic link to a file
  // as a plain file (only links to folders as reparse points), so there only the move, which
  // replaces the link whatever it is, is checked.
  platform::Win32FileSystem fs;
  fs.Confine(links + "\\root2");
  const std::string btn = links + "\\root2\\btn";
  if (RunningUnderWine()) {
    std::printf("     under Wine a link to a file is no reparse point: only its move checked\n");
  } else {
    Check(fs.Inspect(btn + "\\a.bmp").kind == PathKind::kLink,
          "a file link is inspected as a link");
    Refused(Create(fs, btn + "\\a.bmp", false), SysError::kAccessDenied,
            "create-always over a file link");
    std::vector<std::uint8_t> bytes;
    Check(!fs.ReadFile(btn + "\\a.bmp", bytes).ok(), "a file link is not read through");
  }
  Check(WriteThrough(fs, btn + "\\a.new", "installed", true), "a file beside the link");
  Check(fs.MoveReplace(btn + "\\a.new", btn + "\\a.bmp"), "a move replaces the file link");
  Check(ReadAll(btn + "\\a.bmp") == "installed", "the link's place holds the moved file");
  Check(Snapshot(outside) == before, "nothing outside the roots changed");

  // A folder below the root, once used, is held in place: Windows refuses to rename it while
  // the file system's handle is open. (Wine does not hold folders this way.)
  Check(fs.CreateDirectory(btn + "\\erp"), "create an edition folder");
  Check(WriteThrough(fs, btn + "\\erp\\x.bmp", "x", true), "write into it");
  if (!RunningUnderWine())
    Check(!MoveFileW(Wide(btn + "\\erp").c_str(), Wide(btn + "\\erp2").c_str()),
          "a folder in use cannot be renamed away meanwhile");
}

// Where the system makes junctions, the same checks on a links folder made of junctions.
void CheckJunctions(const std::string& dir) {
  const std::string links = dir + "\\junctions";
  for (const char* folder : {"", "\\outside", "\\root1", "\\root2", "\\root2\\btn"})
    CreateDirectoryW(Wide(links + folder).c_str(), nullptr);
  WriteRaw(links + "\\outside\\pict.txt", "victim");
  WriteRaw(links + "\\outside\\~instalador-1.tmp", "victim too");
  WriteRaw(links + "\\outside\\victim.bmp", "victim bitmap");
  const DWORD error = MakeJunction(links + "\\root1\\btn", links + "\\outside");
  if (error != 0) {
    std::printf("     junctions cannot be made here (error %lu): checked on the links folder\n",
                static_cast<unsigned long>(error));
    return;
  }
  Check(MakeJunction(links + "\\root2\\btn\\pet", links + "\\outside") == 0,
        "make a junction btn\\pet");
  Check(MakeJunction(links + "\\root2\\txt", links + "\\outside") == 0, "make a junction txt");
  Check(CreateSymbolicLinkW(Wide(links + "\\root2\\btn\\a.bmp").c_str(),
                            Wide(links + "\\outside\\victim.bmp").c_str(),
                            SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0,
        "make a file link btn\\a.bmp");
  CheckConfinement(links);
}

}  // namespace

// Holds the lock of an install root until the file `stop` exists, so that a test can start an
// installation that finds another one running: "held" or "refused" on stdout.
int HoldLock(const std::string& root, const std::string& stop) {
  const platform::RootLock lock = platform::LockInstallRoot(root);
  const bool taken = lock.outcome == platform::RootLock::Outcome::kTaken;
  std::printf("%s\n", taken ? "held" : "refused");
  std::fflush(stdout);
  platform::Win32FileSystem fs;
  for (int waited = 0; fs.Inspect(stop).kind == PathKind::kMissing && waited < 120000; waited += 50)
    Sleep(50);
  return taken ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--hold-lock") return HoldLock(argv[2], argv[3]);
  platform::Win32FileSystem fs;
  const std::string dir = argc > 1 ? fs.FullPath(argv[1]) : Cwd(fs);
  std::printf("work folder %s\n", dir.c_str());
  if (fs.Inspect(dir).kind != PathKind::kDirectory) {
    std::printf("FAIL the work folder does not exist\n");
    return 1;
  }
  Check(fs.SetCurrentDirectory(dir), "enter the work folder");
  CheckCreateFile(fs, dir);
  CheckDirectories(fs, dir);
  CheckInspectAndDelete(fs, dir);
  CheckReadOnly(fs, dir);
  CheckMoveReplace(fs, dir);
  CheckFullPath(fs, dir);
  CheckNonAnsiFolder(fs, dir);
  CheckLongPaths(fs, dir);
  CheckErrorTexts(fs);
  CheckJunctions(dir);
  if (argc > 2) CheckConfinement(fs.FullPath(argv[2]));
  if (failures == 0) {
    std::printf("PASS\n");
  } else {
    std::printf("FAIL: %d checks failed\n", failures);
  }
  return failures == 0 ? 0 : 1;
}

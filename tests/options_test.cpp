// The technician's side: the command line, the lock on an install root, the read-only view the
// plan-based modes run over, and the clean-up after a killed run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "app/Options.h"
#include "export/PictureFile.h"
#include "platform/InstanceLock.h"
#include "platform/ReadOnlyFileSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "tests/Ok.h"
#include "tests/TempDir.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing_support::Ok;
using testing_support::TempDir;
using testing_support::WriteText;

TEST(Options, CommandLines) {
  struct Case {
    std::vector<std::string> args;
    bool valid;
    Mode mode;
    bool silent;
    std::optional<std::string> root;
    std::optional<std::string> log;
  };
  const std::nullopt_t none = std::nullopt;
  const Case cases[] = {
      {{}, true, Mode::kInstall, false, none, none},
      {{"--silent"}, true, Mode::kInstall, true, none, none},
      {{"--verify"}, true, Mode::kVerify, false, none, none},
      {{"--list"}, true, Mode::kList, false, none, none},
      {{"--silent", "--verify"}, true, Mode::kVerify, true, none, none},
      {{"--help"}, true, Mode::kHelp, false, none, none},
      {{"--version"}, true, Mode::kVersion, false, none, none},
      {{"--list", "--list"}, true, Mode::kList, false, none, none},
      {{"--list", "--verify"}, false, Mode::kInstall, false, none, none},
      {{"--silently"}, false, Mode::kInstall, false, none, none},
      {{"c:\\vexon7"}, false, Mode::kInstall, false, none, none},
      {{"--SILENT"}, false, Mode::kInstall, false, none, none},
      // What follows --help or --version is not looked at.
      {{"--version", "--bogus"}, true, Mode::kVersion, false, none, none},
      {{"--list", "--help", "--verify"}, true, Mode::kHelp, false, none, none},
      {{"--silent", "-h", "c:\\vexon7"}, true, Mode::kHelp, true, none, none},
      {{"--bogus", "--version"}, false, Mode::kInstall, false, none, none},
      // An install root and a log, either spelling.
      {{"--root", "D:\\Sistemas\\A\xC3\xA7\xC3\xA3o\\vexon7"},
       true,
       Mode::kInstall,
       false,
       "D:\\Sistemas\\A\xC3\xA7\xC3\xA3o\\vexon7",
       none},
      {{"--root=/srv/vexon7", "--list"}, true, Mode::kList, false, "/srv/vexon7", none},
      {{"--log", "x.log", "--silent"}, true, Mode::kInstall, true, none, "x.log"},
      {{"--log=c:\\a b\\x.log"}, true, Mode::kInstall, false, none, "c:\\a b\\x.log"},
      {{"--root"}, false, Mode::kInstall, false, none, none},
      {{"--root="}, false, Mode::kInstall, false, none, none},
      {{"--log"}, false, Mode::kInstall, false, none, none},
      // The switches of installer templates, in any letter case.
      {{"/VERYSILENT", "/SUPPRESSMSGBOXES", "/NORESTART", "/DIR=d:\\vexon7", "/LOG=d:\\log.txt"},
       true,
       Mode::kInstall,
       true,
       "d:\\vexon7",
       "d:\\log.txt"},
      {{"/silent"}, true, Mode::kInstall, true, none, none},
      {{"/s"}, true, Mode::kInstall, true, none, none},
      {{"/qn"}, true, Mode::kInstall, true, none, none},
      {{"/dir=D:\\V"}, true, Mode::kInstall, false, "D:\\V", none},
      {{"/Log"}, true, Mode::kInstall, false, none, ""},
      {{"/LOG="}, true, Mode::kInstall, false, none, ""},
      {{"/?"}, true, Mode::kHelp, false, none, none},
      {{"/help"}, true, Mode::kHelp, false, none, none},
      {{"/DIR="}, false, Mode::kInstall, false, none, none},
      {{"/DIR"}, false, Mode::kInstall, false, none, none},
      {{"/X"}, false, Mode::kInstall, false, none, none},
      {{"/SILENTLY"}, false, Mode::kInstall, false, none, none},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto options = ParseOptions(c.args, error);
    const std::string shown = DescribeArguments(c.args);
    ASSERT_EQ(options.has_value(), c.valid) << shown << ": " << error;
    if (!c.valid) {
      EXPECT_FALSE(error.empty()) << shown;
      continue;
    }
    EXPECT_EQ(options->mode, c.mode) << shown;
    EXPECT_EQ(options->silent, c.silent) << shown;
    EXPECT_EQ(options->root, c.root) << shown;
    EXPECT_EQ(options->log, c.log) << shown;
  }
  std::string error;
  ParseOptions({"--bogus"}, error);
  EXPECT_EQ(error, "Unknown argument \"--bogus\". Run instalador --help to see the options.");
  ParseOptions({"/VERYSILENT", "/BOGUS=1"}, error);
  EXPECT_EQ(error, "Unknown argument \"/BOGUS=1\". Run instalador --help to see the options.");
}

TEST(Options, ArgumentsAsTheLogRecordsThem) {
  EXPECT_EQ(DescribeArguments({}), "(none)");
  EXPECT_EQ(DescribeArguments({"--silent", "--root", "c:\\Program Files\\x", "say \"hi\"", ""}),
            "--silent --root \"c:\\Program Files\\x\" \"say \\\"hi\\\"\" \"\"");
}

// The install root of a host folder, as the program composes it.
std::string RootOf(const fs::path& folder) {
  std::string p = folder.string();
  std::replace(p.begin(), p.end(), '/', '\\');
  return "z:" + p;
}

using Outcome = platform::RootLock::Outcome;

TEST(InstanceLock, OneHolderPerInstallRoot) {
  TempDir tmp;
  fs::create_directories(tmp / "vexon7");
  fs::create_directories(tmp / "other");
  const std::string root = RootOf(tmp / "vexon7");
  auto first = platform::LockInstallRoot(root);
  ASSERT_EQ(first.outcome, Outcome::kTaken) << first.reason;
  EXPECT_TRUE(fs::exists(tmp / "vexon7" / platform::kRootLockFileName)) << "held in the root";
  EXPECT_EQ(platform::LockInstallRoot(root).outcome, Outcome::kHeld) << "a second run is refused";
  std::string upper = root;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(platform::LockInstallRoot(upper + "\\").outcome, Outcome::kHeld)
      << "the same folder spelled otherwise";
  EXPECT_EQ(platform::LockInstallRoot(RootOf(tmp / "other")).outcome, Outcome::kTaken)
      << "another install root is free";
  first.lock.reset();
  EXPECT_EQ(platform::LockInstallRoot(root).outcome, Outcome::kTaken)
      << "free again once the holder ends";
  EXPECT_TRUE(fs::is_empty(tmp / "vexon7")) << "the lock leaves nothing in the tree";
  EXPECT_TRUE(fs::is_empty(tmp / "other"));
}

// The first byte of the lock file, locked the way a file server or Wine locks it for a Windows
// run elsewhere (a process's POSIX lock), keeps a run out; a file a killed run left is taken
// over and deleted at the end.
TEST(InstanceLock, LockFileInTheRootIsSharedWithOtherSystems) {
  TempDir tmp;
  fs::create_directories(tmp / "vexon7");
  const std::string root = RootOf(tmp / "vexon7");
  const fs::path file = tmp / "vexon7" / platform::kRootLockFileName;
  WriteText(file, "");
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const int fd = ::open(file.c_str(), O_RDWR);
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_len = 1;
    const char done = ::fcntl(fd, F_SETLK, &range) == 0 ? 'y' : 'n';
    (void)::write(ready[1], &done, 1);
    char end;
    (void)::read(release[0], &end, 1);
    ::_exit(0);
  }
  char locked = 0;
  ASSERT_EQ(::read(ready[0], &locked, 1), 1);
  ASSERT_EQ(locked, 'y');
  EXPECT_EQ(platform::LockInstallRoot(root).outcome, Outcome::kHeld);
  EXPECT_TRUE(fs::exists(file)) << "the holder's file is not deleted by a refused run";
  (void)::write(release[1], "x", 1);
  ::waitpid(holder, nullptr, 0);
  for (const int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);

  // Now a file left behind: taken over, and deleted at the end.
  auto taken = platform::LockInstallRoot(root);
  ASSERT_EQ(taken.outcome, Outcome::kTaken) << taken.reason;
  taken.lock.reset();
  EXPECT_FALSE(fs::exists(file));
}

// Anything but a file at the lock file's name: the root cannot be locked, and nothing is done
// through a link standing there.
TEST(InstanceLock, NoFileAtTheLockNameCannotBeLocked) {
  TempDir tmp;
  fs::create_directories(tmp / "outside");
  WriteText(tmp / "outside/victim", "victim");
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
  };
  const Case cases[] = {
      {"a folder", [](const fs::path& at) { fs::create_directory(at); }},
      {"a link to a file outside",
       [&](const fs::path& at) { fs::create_symlink(tmp / "outside/victim", at); }},
      {"a link to nowhere", [&](const fs::path& at) { fs::create_symlink(tmp / "nowhere", at); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(tmp / "vexon7");
    fs::create_directories(tmp / "vexon7");
    c.make(tmp / "vexon7" / platform::kRootLockFileName);
    const auto lock = platform::LockInstallRoot(RootOf(tmp / "vexon7"));
    EXPECT_EQ(lock.outcome, Outcome::kFailed);
    EXPECT_EQ(lock.reason, std::string("something other than a file stands at ") +
                               platform::kRootLockFileName + " there.");
    EXPECT_EQ(testing_support::ReadText(tmp / "outside/victim"), "victim");
    EXPECT_FALSE(fs::exists(tmp / "nowhere"));
  }
}

// Started in a folder whose case-variant sibling is spelled like the install root's text, the
// run locks the folder it was started in.
TEST(InstanceLock, LocksTheFolderTheRunWasStartedIn) {
  TempDir tmp;
  fs::create_directories(tmp / "x/VEXON7");
  fs::create_directories(tmp / "x/vexon7");
  ASSERT_EQ(::chdir((tmp / "x/VEXON7").c_str()), 0);
  const auto lock = platform::LockInstallRoot(RootOf(tmp / "x/vexon7"));
  ASSERT_EQ(lock.outcome, Outcome::kTaken) << lock.reason;
  EXPECT_TRUE(fs::exists(tmp / "x/VEXON7" / platform::kRootLockFileName));
  EXPECT_TRUE(fs::is_empty(tmp / "x/vexon7"));
}

TEST(ReadOnlyView, ReadsButNeverChanges) {
  TempDir tmp;
  WriteText(tmp / "a.bmp", "old");
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::ReadOnlyFileSystem view(disk);
  using platform::SysError;
  EXPECT_EQ(view.CreateDirectory("d:\\new").code(), SysError::kAccessDenied);
  std::unique_ptr<platform::File> file;
  EXPECT_EQ(view.CreateFile("d:\\a.bmp", false, file).code(), SysError::kAccessDenied);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(view.DeleteFile("d:\\a.bmp").code(), SysError::kAccessDenied);
  EXPECT_EQ(view.MoveReplace("d:\\a.bmp", "d:\\b.bmp").code(), SysError::kAccessDenied);
  EXPECT_EQ(view.SetCurrentDirectory("d:\\").code(), SysError::kAccessDenied);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(Ok(view.ReadFile("d:\\A.BMP", bytes)));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
  EXPECT_EQ(view.ReadFile("d:\\missing.bmp", bytes).code(), SysError::kFileNotFound);
  std::vector<std::string> names;
  ASSERT_TRUE(Ok(view.ListDirectory("d:\\", names)));
  EXPECT_EQ(names, std::vector<std::string>{"a.bmp"});
  EXPECT_FALSE(fs::exists(tmp / "new"));
  EXPECT_EQ(testing_support::ReadText(tmp / "a.bmp"), "old");
}

TEST(KilledRun, LeftoverTemporariesAreRemovedAndNothingElse) {
  TempDir tmp;
  fs::create_directories(tmp / "erp");
  for (const char* name : {"~instalador-1.tmp", "~instalador-77.tmp", "cliente1.bmp",
                           "~instalador-x.tmp", "instalador-2.tmp", "~instalador-3.tmp.bmp"})
    WriteText(tmp / "erp" / name, "x");
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  RemoveLeftoverTemporaries(disk, "d:\\erp");
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(tmp / "erp"))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"cliente1.bmp", "instalador-2.tmp",
                                            "~instalador-3.tmp.bmp", "~instalador-x.tmp"}));
  RemoveLeftoverTemporaries(disk, "d:\\missing");  // a missing folder is passed over
}

}  // namespace
}  // namespace varnel

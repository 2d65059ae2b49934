// The technician's side: the command line, the lock on an install root, the read-only view the
// plan-based modes run over, and the clean-up after a killed run.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Options.h"
#include "export/PictureFile.h"
#include "platform/InstanceLock.h"
#include "platform/ReadOnlyFileSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "tests/TempDir.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteText;

TEST(Options, CommandLines) {
  struct Case {
    std::vector<std::string> args;
    bool valid;
    Mode mode;
    bool silent;
  };
  const Case cases[] = {
      {{}, true, Mode::kInstall, false},
      {{"--silent"}, true, Mode::kInstall, true},
      {{"--verify"}, true, Mode::kVerify, false},
      {{"--list"}, true, Mode::kList, false},
      {{"--silent", "--verify"}, true, Mode::kVerify, true},
      {{"--help"}, true, Mode::kHelp, false},
      {{"--version"}, true, Mode::kVersion, false},
      {{"--list", "--list"}, true, Mode::kList, false},
      {{"--list", "--verify"}, false, Mode::kInstall, false},
      // What follows --help or --version is not looked at; what comes before still is.
      {{"--version", "--list"}, true, Mode::kVersion, false},
      {{"--help", "--bogus", "--verify"}, true, Mode::kHelp, false},
      {{"--list", "--version"}, true, Mode::kVersion, false},
      {{"--silent", "-h", "c:\\vexon7"}, true, Mode::kHelp, true},
      {{"--bogus", "--version"}, false, Mode::kInstall, false},
      {{"--silently"}, false, Mode::kInstall, false},
      {{"c:\\vexon7"}, false, Mode::kInstall, false},
      {{"--SILENT"}, false, Mode::kInstall, false},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto options = ParseOptions(c.args, error);
    std::string shown = c.args.empty() ? "(none)" : "";
    for (const std::string& arg : c.args) shown += arg + " ";
    ASSERT_EQ(options.has_value(), c.valid) << shown;
    if (!c.valid) {
      EXPECT_FALSE(error.empty()) << shown;
      continue;
    }
    EXPECT_EQ(options->mode, c.mode) << shown;
    EXPECT_EQ(options->silent, c.silent) << shown;
  }
  std::string error;
  ParseOptions({"--bogus"}, error);
  EXPECT_EQ(error, "Unknown argument \"--bogus\". Run instalador --help to see the options.");
}

TEST(InstanceLock, OneHolderPerInstallRoot) {
  TempDir tmp;
  fs::create_directories(tmp / "vexon7");
  fs::create_directories(tmp / "other");
  const std::string root = "z:" + [&] {
    std::string p = (tmp / "vexon7").string();
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
  }();
  auto first = platform::LockInstallRoot(root);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(platform::LockInstallRoot(root), nullptr) << "a second run is refused";
  std::string upper = root;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(platform::LockInstallRoot(upper + "\\"), nullptr)
      << "the same folder spelled otherwise";
  std::string other = root.substr(0, root.size() - 6) + "other";
  EXPECT_NE(platform::LockInstallRoot(other), nullptr) << "another install root is free";
  first.reset();
  EXPECT_NE(platform::LockInstallRoot(root), nullptr) << "free again once the holder ends";
  EXPECT_TRUE(fs::is_empty(tmp / "vexon7")) << "the lock leaves nothing in the tree";
}

TEST(ReadOnlyView, ReadsButNeverChanges) {
  TempDir tmp;
  WriteText(tmp / "a.bmp", "old");
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::ReadOnlyFileSystem view(disk);
  EXPECT_FALSE(view.CreateDirectory("d:\\new"));
  EXPECT_EQ(view.LastError(), platform::SysError::kAccessDenied);
  EXPECT_EQ(view.CreateFile("d:\\a.bmp", false), nullptr);
  EXPECT_FALSE(view.DeleteFile("d:\\a.bmp"));
  EXPECT_FALSE(view.MoveReplace("d:\\a.bmp", "d:\\b.bmp"));
  EXPECT_FALSE(view.SetCurrentDirectory("d:\\"));
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(view.ReadFile("d:\\A.BMP", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
  EXPECT_FALSE(view.ReadFile("d:\\missing.bmp", bytes));
  EXPECT_EQ(view.LastError(), platform::SysError::kFileNotFound);
  std::vector<std::string> names;
  ASSERT_TRUE(view.ListDirectory("d:\\", names));
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

// What technicians and deployment tools meet: where a run installs (a folder given on purpose,
// the current folder, the system's own folders refused) and the record a run leaves in its log.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/Root.h"
#include "app/RunRecord.h"
#include "forms/Forms.h"
#include "platform/System.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/terminal/TerminalScreen.h"
#include "platform/testing/FaultFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "tests/TempDir.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteText;

// A file system whose current folder cannot be read, as when it was deleted under the process.
class LostFolder : public platform::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  platform::Status CurrentDirectory(std::string&) override {
    return Error(platform::SysError::kPathNotFound);
  }
};

class RootChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(tmp / "sistemas/vexon7/dedudodevorud");
    WriteText(tmp / "afile", "x");
    fs::create_directory_symlink(tmp / "sistemas/vexon7", tmp / "linked");
    fs::create_symlink(tmp / "afile", tmp / "linkedfile");
    ASSERT_EQ(::chdir((tmp / "sistemas").c_str()), 0);
  }
  TempDir tmp;
  platform::PosixFileSystem files{{{'d', tmp.path().string()}}};
};

TEST_F(RootChoiceTest, AFolderGivenOnPurposeIsTakenAsTheCurrentFolderWouldBe) {
  struct Case {
    std::optional<std::string> given;
    const char* folder;  // the install root, or the start of the error
  };
  const Case cases[] = {
      {"d:\\Sistemas\\Vexon7", "d:\\sistemas\\vexon7"},
      {"d:/sistemas/vexon7/DEDUDODEVORUD", "d:\\sistemas\\vexon7"},
      {"vexon7", "d:\\sistemas\\vexon7"},  // relative to the current folder
      {"\\sistemas\\vexon7\\..\\vexon7", "d:\\sistemas\\vexon7"},
      {std::nullopt, "d:\\sistemas"},
      {"d:\\missing", "The install root \"d:\\missing\" does not exist."},
      {"d:\\afile", "The install root \"d:\\afile\" is not a folder."},
      // The root itself may be reached through a link to a folder.
      {"d:\\linked", "d:\\linked"},
      {"d:\\linkedfile", "The install root \"d:\\linkedfile\" is not a folder."},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto root = ChooseInstallRoot(files, c.given, error);
    const std::string shown = c.given.value_or("(none)");
    if (root) {
      EXPECT_EQ(root->Folder(), c.folder) << shown;
      EXPECT_TRUE(error.empty()) << shown;
    } else {
      EXPECT_TRUE(error.starts_with(c.folder)) << shown << ": " << error;
      EXPECT_NE(error.find("Nothing was installed"), std::string::npos) << error;
    }
  }
}

TEST_F(RootChoiceTest, ACurrentFolderThatCannotBeReadIsNeverTaken) {
  LostFolder lost(files);
  std::string error;
  EXPECT_FALSE(ChooseInstallRoot(lost, std::nullopt, error));
  EXPECT_EQ(error, "Cannot read the current folder: The system cannot find the path specified.");
  // A folder given on purpose does not need it.
  error.clear();
  const auto root = ChooseInstallRoot(lost, "d:\\sistemas\\vexon7", error);
  ASSERT_TRUE(root) << error;
  EXPECT_EQ(root->Folder(), "d:\\sistemas\\vexon7");
}

TEST(SystemFolders, TheOperatingSystemsOwnFoldersAndNothingElse) {
  const std::pair<const char*, bool> cases[] = {
      {"z:\\", true},          {"z:\\usr", true},          {"z:\\usr\\local\\vexon7", true},
      {"z:\\etc\\x", true},    {"z:\\bin", true},          {"z:\\sbin", true},
      {"z:\\lib", true},       {"z:\\lib64\\x", true},     {"z:\\boot", true},
      {"z:\\proc\\1", true},   {"z:\\sys", true},          {"z:\\dev\\pts", true},
      {"z:\\run\\user", true}, {"z:\\srv\\vexon7", false}, {"z:\\home\\ana\\vexon7", false},
      {"z:\\tmp", false},      {"z:\\runx", false},        {"z:\\usrx\\y", false},
      {"z:\\opt\\usr", false}, {"z:\\var\\lib\\x", false},
  };
  for (const auto& [folder, system] : cases)
    EXPECT_EQ(platform::IsSystemFolder(folder), system) << folder;
}

TEST(RunLog, TimestampsAreLocalTimeWithTheirOffset) {
  const std::string stamp = LogTimestamp(std::chrono::system_clock::now());
  EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")))
      << stamp;
}

// A complete run with one read-only target: the log tells what was written, which file failed
// and why, how each sheet ended, the marker step, and the summary.
TEST(RunLog, RecordsTheRunAndTheFileThatFailed) {
  TempDir tmp;
  fs::create_directories(tmp / "vexon7/btn/pet");
  fs::create_directories(tmp / "vexon7/txt");
  WriteText(tmp / "vexon7/txt/pict.txt", "x");
  const fs::path locked = tmp / "vexon7/btn/pet/fundo.jpg";
  WriteText(locked, "old");
  fs::permissions(locked, fs::perms::owner_read);
  platform::PosixFileSystem files{{{'d', tmp.path().string()}}};
  platform::RecordingScreen screen;
  RunRecord record(files);
  ASSERT_TRUE(record.OpenLog("d:\\logs.txt").ok());
  record.Note("start");
  const InstallRoot root = InstallRoot::FromDirectory("d:\\vexon7");
  int code = -1;
  code = RunInstaller({files, root, screen,
                       [&record](int exitCode) {
                         record.Finish(exitCode);
                         throw forms::ProcessExit{exitCode};
                       },
                       nullptr, &record});
  EXPECT_EQ(code, 1);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(record.FilesFailed(), 1u);
  std::size_t onDisk = 0;  // the files the run left, the locked one not counted
  for (const auto& entry : fs::recursive_directory_iterator(tmp / "vexon7/btn"))
    onDisk += entry.is_regular_file() && entry.path() != locked;
  EXPECT_EQ(record.FilesWritten(), onDisk);
  EXPECT_LT(onDisk, 9403u) << "tbotoes1 stopped at pet's background";

  std::vector<std::string> lines;
  {
    const std::string text = ReadText(tmp / "logs.txt");
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at + 26, end - at - 26));  // without the time
  }
  const auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_EQ(lines.front(), "start");
  EXPECT_TRUE(
      has("folder not created: d:\\mysql\\data\\vexon7: "
          "The system cannot find the path specified."));
  EXPECT_TRUE(
      has("error: Cannot create file \"d:\\vexon7\\btn\\pet\\fundo.jpg\". Access is "
          "denied. (file d:\\vexon7\\btn\\pet\\fundo.jpg, picture tbotoes1 "
          "fundopet.Picture)"));
  EXPECT_TRUE(has("marker file d:\\vexon7\\txt\\pict.txt: deleted"));
  EXPECT_TRUE(has("sheet tbotoes2: done, 2674 files written"));
  int stopped = 0;
  for (const std::string& line : lines) stopped += line.starts_with("sheet tbotoes1: stopped");
  EXPECT_EQ(stopped, 1);
  EXPECT_TRUE(
      lines.back().starts_with("end: " + std::to_string(onDisk) + " files written, 1 failed, "))
      << lines.back();
  EXPECT_TRUE(lines.back().ends_with(" s, exit code 1")) << lines.back();
  EXPECT_EQ(ReadText(locked), "old");
}

// A full disk: the error box says only the product's "Stream write error."; the log and the
// terminal get the file, the picture and the system's reason with it.
TEST(RunLog, AFullDiskNamesTheFileAndTheReason) {
  TempDir tmp;
  fs::create_directories(tmp / "vexon7");
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::FaultFileSystem files(disk);
  files.DiskFullAfter(100000);
  std::FILE* out = std::tmpfile();
  platform::TerminalScreen screen(out);
  RunRecord record(disk);
  ASSERT_TRUE(record.OpenLog("d:\\log.txt").ok());
  const InstallRoot root = InstallRoot::FromDirectory("d:\\vexon7");
  const int code =
      RunInstaller({files, root, screen, [](int exitCode) { throw forms::ProcessExit{exitCode}; },
                    nullptr, &record});
  EXPECT_EQ(code, 1);
  std::string shown;
  std::rewind(out);
  for (int c; (c = std::fgetc(out)) != EOF;) shown += static_cast<char>(c);
  std::fclose(out);
  const std::string log = ReadText(tmp / "log.txt");
  const std::regex detail(
      R"(Stream write error\. \(file d:\\vexon7\\btn\\boletologo\\\d+\.bmp, picture tbotoes lb\d+\.Picture: There is not enough space on the disk\.\))");
  EXPECT_TRUE(std::regex_search(log, detail)) << log;
  EXPECT_NE(shown.find("Varnel Configuração de ambiente: Stream write error.\n  file "
                       "d:\\vexon7\\btn\\boletologo\\"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("There is not enough space on the disk."), std::string::npos) << shown;
}

TEST(RunLog, ALogThatCannotBeOpenedIsAnError) {
  TempDir tmp;
  fs::create_directories(tmp / "folder");
  WriteText(tmp / "file", "x");
  platform::PosixFileSystem files{{{'d', tmp.path().string()}}};
  for (const char* path : {"d:\\missing\\log.txt", "d:\\file\\log.txt", "d:\\folder"}) {
    RunRecord record(files);
    EXPECT_FALSE(record.OpenLog(path).ok()) << path;
    EXPECT_FALSE(record.Logging()) << path;
  }
  // An existing log is added to, never truncated.
  WriteText(tmp / "old.log", "earlier run\n");
  RunRecord record(files);
  ASSERT_TRUE(record.OpenLog("d:\\old.log").ok());
  record.Note("this run");
  const std::string text = ReadText(tmp / "old.log");
  EXPECT_TRUE(text.starts_with("earlier run\n")) << text;
  EXPECT_TRUE(text.ends_with(" this run\n")) << text;
}

}  // namespace
}  // namespace varnel

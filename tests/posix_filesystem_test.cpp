#include "platform/posix/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/Ok.h"
#include "tests/TempDir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::Ok;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteText;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  TempDir tmp;
  PosixFileSystem files{{{'d', tmp.path().string()}}};

  void Enter(const fs::path& dir) { ASSERT_EQ(::chdir(dir.c_str()), 0); }
  void Write(const std::string& path, const std::string& text) {
    std::unique_ptr<File> file;
    ASSERT_TRUE(Ok(files.CreateFile(path, false, file))) << path;
    EXPECT_TRUE(Ok(file->Write(text.data(), text.size())));
    EXPECT_TRUE(Ok(file->Close()));
  }
  // The error of creating a file at `path`.
  SysError CreateError(const std::string& path, bool mustBeNew) {
    std::unique_ptr<File> file;
    const Status status = files.CreateFile(path, mustBeNew, file);
    EXPECT_EQ(file == nullptr, !status.ok());
    return status.code();
  }
  std::string Cwd(PosixFileSystem& on) {
    std::string directory;
    EXPECT_TRUE(Ok(on.CurrentDirectory(directory)));
    return directory;
  }
};

TEST_F(PosixFileSystemTest, CurrentDirectoryInWindowsForm) {
  fs::create_directories(tmp / "Sistemas/Vexon7");
  Enter(tmp / "Sistemas/Vexon7");
  EXPECT_EQ(Cwd(files), "d:\\Sistemas\\Vexon7");
  Enter(tmp.path());
  EXPECT_EQ(Cwd(files), "d:\\");

  // Without a drive map, z: is the host's root, as under Wine.
  PosixFileSystem plain;
  EXPECT_EQ(
      Cwd(plain), "z:" + [&] {
        std::string p = tmp.path().string();
        std::replace(p.begin(), p.end(), '/', '\\');
        return p;
      }());
}

// Files are created through a handle on their folder; a folder deleted and made again
// meanwhile gets its files all the same, and more folders than handles are kept work too.
TEST_F(PosixFileSystemTest, FilesInFoldersReplacedMeanwhile) {
  fs::create_directories(tmp / "btn/erp");
  Write("d:\\btn\\erp\\a.bmp", "first");
  fs::remove_all(tmp / "btn/erp");
  fs::create_directories(tmp / "btn/erp");
  Write("d:\\btn\\erp\\b.bmp", "second");
  EXPECT_EQ(ReadText(tmp / "btn/erp/b.bmp"), "second");
  EXPECT_FALSE(fs::exists(tmp / "btn/erp/a.bmp"));
  fs::remove_all(tmp / "btn/erp");
  EXPECT_EQ(CreateError("d:\\btn\\erp\\c.bmp", true), SysError::kPathNotFound);

  for (int i = 0; i < 100; ++i) {
    fs::create_directories(tmp / "many" / std::to_string(i));
    Write("d:\\many\\" + std::to_string(i) + "\\f.txt", std::to_string(i));
  }
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(ReadText(tmp / "many" / std::to_string(i) / "f.txt"), std::to_string(i));
}

TEST_F(PosixFileSystemTest, SeparatorsAndCaseOfExistingNames) {
  fs::create_directories(tmp / "Vexon7/BTN");
  // Mixed and doubled separators, names in another case than on disk.
  EXPECT_TRUE(Ok(files.CreateDirectory("d:\\vexon7\\\\btn/selvo")));
  EXPECT_TRUE(fs::is_directory(tmp / "Vexon7/BTN/selvo"));
  Write("D:/VEXON7//btn\\Selvo/Cliente1.BMP", "one");
  EXPECT_EQ(ReadText(tmp / "Vexon7/BTN/selvo/Cliente1.BMP"), "one") << "new names as spelled";
  Write("d:\\vexon7\\btn\\selvo\\cliente1.bmp", "two");
  EXPECT_EQ(ReadText(tmp / "Vexon7/BTN/selvo/Cliente1.BMP"), "two") << "existing name matched";
  EXPECT_FALSE(fs::exists(tmp / "Vexon7/BTN/selvo/cliente1.bmp"));
  EXPECT_TRUE(files.FileExists("d:\\VEXON7\\BTN\\SELVO\\CLIENTE1.BMP"));
  EXPECT_FALSE(files.FileExists("d:\\vexon7\\btn\\selvo")) << "a folder is no file";
}

TEST_F(PosixFileSystemTest, ExactNameWinsOverCaseVariant) {
  fs::create_directories(tmp / "ABC");
  fs::create_directories(tmp / "abc");
  Write("d:\\abc\\f.txt", "lower");
  Write("d:\\ABC\\f.txt", "upper");
  EXPECT_EQ(ReadText(tmp / "abc/f.txt"), "lower");
  EXPECT_EQ(ReadText(tmp / "ABC/f.txt"), "upper");
  // Neither spelled exactly: the choice is stable (the lowest name).
  Write("d:\\Abc\\g.txt", "mixed");
  EXPECT_EQ(ReadText(tmp / "ABC/g.txt"), "mixed");
}

// Names this file system created, replaced or deleted are matched as they are now, also in a
// folder it has already searched for case variants.
TEST_F(PosixFileSystemTest, OwnChangesAreSeenByLaterLookups) {
  fs::create_directories(tmp / "erp");
  Write("d:\\erp\\New.bmp", "1");  // not there yet: the folder is searched
  Write("d:\\ERP\\NEW.BMP", "2");
  EXPECT_EQ(ReadText(tmp / "erp/New.bmp"), "2");
  EXPECT_FALSE(fs::exists(tmp / "erp/NEW.BMP"));

  Write("d:\\erp\\~t.tmp", "3");
  EXPECT_TRUE(Ok(files.MoveReplace("d:\\erp\\~t.tmp", "d:\\erp\\other.bmp")));
  Write("d:\\erp\\OTHER.bmp", "4");
  EXPECT_EQ(ReadText(tmp / "erp/other.bmp"), "4");
  EXPECT_FALSE(files.FileExists("d:\\erp\\~T.TMP")) << "moved away";

  EXPECT_TRUE(Ok(files.DeleteFile("d:\\erp\\new.bmp")));
  Write("d:\\erp\\NEW.BMP", "5");
  EXPECT_EQ(ReadText(tmp / "erp/NEW.BMP"), "5") << "created as spelled once the old one is gone";
  EXPECT_FALSE(fs::exists(tmp / "erp/New.bmp"));

  EXPECT_TRUE(Ok(files.CreateDirectory("d:\\erp\\Sub")));
  Write("d:\\erp\\sub\\a.bmp", "6");
  EXPECT_EQ(ReadText(tmp / "erp/Sub/a.bmp"), "6");
}

TEST_F(PosixFileSystemTest, FullPathNormalises) {
  fs::create_directories(tmp / "sistemas/vexon7");
  Enter(tmp / "sistemas/vexon7");
  const std::pair<const char*, const char*> cases[] = {
      {"d:\\vexon7\\btn/pet/a1.bmp", "d:\\vexon7\\btn\\pet\\a1.bmp"},
      {"d:\\\\btn", "d:\\btn"},
      {"d:\\a\\.\\b\\..\\c", "d:\\a\\c"},
      {"btn\\x.bmp", "d:\\sistemas\\vexon7\\btn\\x.bmp"},
      {"\\txt", "d:\\txt"},
      {"D:\\Keep\\Case", "d:\\Keep\\Case"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(files.FullPath(in), out) << in;
}

TEST_F(PosixFileSystemTest, ErrorsInWindowsTerms) {
  fs::create_directories(tmp / "have");
  WriteText(tmp / "have/ro.bmp", "keep");
  fs::permissions(tmp / "have/ro.bmp", fs::perms::owner_read | fs::perms::group_read);

  EXPECT_EQ(files.CreateDirectory("d:\\have").code(), SysError::kAlreadyExists);
  EXPECT_EQ(files.CreateDirectory("d:\\missing\\sub").code(), SysError::kPathNotFound);

  std::unique_ptr<File> none;
  const Status missing = files.CreateFile("d:\\missing\\a.bmp", false, none);
  EXPECT_EQ(missing.code(), SysError::kPathNotFound);
  EXPECT_EQ(missing.text(), "The system cannot find the path specified.");
  EXPECT_EQ(CreateError("d:\\have", false), SysError::kAccessDenied)
      << "a folder in place of the file";

  // A file without write permission is read-only, also for root.
  EXPECT_TRUE(files.Inspect("d:\\have\\ro.bmp").readOnly);
  EXPECT_EQ(CreateError("d:\\have\\ro.bmp", false), SysError::kAccessDenied);
  EXPECT_EQ(files.DeleteFile("d:\\have\\ro.bmp").code(), SysError::kAccessDenied);
  EXPECT_EQ(ReadText(tmp / "have/ro.bmp"), "keep");

  Write("d:\\have\\new.bmp", "x");
  EXPECT_EQ(CreateError("d:\\have\\new.bmp", true), SysError::kFileExists);

  EXPECT_EQ(files.CreateDirectory("\\\\server\\share\\vexon7").code(), SysError::kBadNetPath);
  EXPECT_EQ(files.CreateDirectory("q:\\unmapped").code(), SysError::kPathNotFound);
  EXPECT_EQ(files.DeleteFile("d:\\have\\absent.bmp").code(), SysError::kFileNotFound);
}

TEST_F(PosixFileSystemTest, CreateAlwaysTruncatesAndMoveReplaces) {
  WriteText(tmp / "a.bmp", "a much longer old content");
  Write("d:\\a.bmp", "new");
  EXPECT_EQ(ReadText(tmp / "a.bmp"), "new");

  Write("d:\\a.tmp", "replacement");
  EXPECT_TRUE(Ok(files.MoveReplace("d:\\a.tmp", "d:\\A.BMP")));
  EXPECT_EQ(ReadText(tmp / "a.bmp"), "replacement");
  EXPECT_FALSE(fs::exists(tmp / "a.tmp"));

  Write("d:\\b.tmp", "b");
  fs::permissions(tmp / "a.bmp", fs::perms::owner_read);
  EXPECT_EQ(files.MoveReplace("d:\\b.tmp", "d:\\a.bmp").code(), SysError::kAccessDenied);
  EXPECT_EQ(ReadText(tmp / "a.bmp"), "replacement");

  EXPECT_TRUE(Ok(files.DeleteFile("d:\\b.tmp")));
  EXPECT_FALSE(fs::exists(tmp / "b.tmp"));
}

TEST_F(PosixFileSystemTest, LongCurrentDirectory) {
  fs::path deep = tmp.path();
  std::string expected = "d:";
  for (int i = 0; i < 30; ++i) {
    const std::string name = "folder-with-a-long-name-" + std::to_string(i);
    deep /= name;
    expected += "\\" + name;
  }
  fs::create_directories(deep);
  Enter(deep);
  ASSERT_GT(expected.size(), 700u);
  EXPECT_EQ(Cwd(files), expected);
  EXPECT_TRUE(Ok(files.SetCurrentDirectory(expected + "\\..\\folder-with-a-long-name-29")));
  EXPECT_TRUE(Ok(files.CreateDirectory(expected + "\\btn")));
  EXPECT_TRUE(fs::is_directory(deep / "btn"));
}

}  // namespace
}  // namespace platform

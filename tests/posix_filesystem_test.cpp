#include "platform/posix/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

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

// Every file below a folder with its content ("<link>" for a link), to see that nothing in it
// changed.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_symlink()) {
      out[name] = "<link>";
    } else if (entry.is_regular_file()) {
      out[name] = ReadText(entry.path());
    } else {
      out[name] = "<folder>";
    }
  }
  return out;
}

// Below the confined root, a link standing for a folder (btn, an edition folder, txt) is taken
// like a file standing there: no call reaches through it, and nothing outside changes.
TEST_F(PosixFileSystemTest, NoCallReachesThroughALinkBelowTheRoot) {
  struct Case {
    const char* link;    // below the root, pointing at the outside folder
    const char* folder;  // the Windows path of the link
  };
  const Case cases[] = {
      {"btn", "d:\\root\\btn"},
      {"btn/pet", "d:\\root\\btn\\pet"},
      {"txt", "d:\\root\\txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    fs::remove_all(tmp / "root");
    fs::remove_all(tmp / "outside");
    fs::create_directories((tmp / "root" / c.link).parent_path());
    fs::create_directories(tmp / "outside");
    WriteText(tmp / "outside/pict.txt", "victim");
    WriteText(tmp / "outside/~instalador-1.tmp", "victim too");
    fs::create_directory_symlink(tmp / "outside", tmp / "root" / c.link);
    const auto before = Snapshot(tmp / "outside");
    files.Confine("d:\\root");
    const std::string in = std::string(c.folder) + "\\";

    EXPECT_EQ(CreateError(in + "new.bmp", true), SysError::kPathNotFound);
    EXPECT_EQ(CreateError(in + "pict.txt", false), SysError::kPathNotFound);
    EXPECT_EQ(files.CreateDirectory(in + "sub").code(), SysError::kPathNotFound);
    EXPECT_EQ(files.CreateDirectory(c.folder).code(), SysError::kAlreadyExists);
    EXPECT_EQ(files.DeleteFile(in + "pict.txt").code(), SysError::kPathNotFound);
    EXPECT_EQ(files.DeleteFile(in + "~instalador-1.tmp").code(), SysError::kPathNotFound);
    EXPECT_EQ(files.MoveReplace(in + "~instalador-1.tmp", in + "pict.txt").code(),
              SysError::kPathNotFound);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(files.ReadFile(in + "pict.txt", bytes).ok());
    std::vector<std::string> names;
    EXPECT_FALSE(files.ListDirectory(c.folder, names).ok());
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(files.SetCurrentDirectory(c.folder).ok());
    EXPECT_EQ(files.Inspect(c.folder).kind, PathKind::kLink);
    EXPECT_EQ(files.Inspect(in + "pict.txt").kind, PathKind::kMissing);
    std::string host;
    EXPECT_EQ(files.HostPath(in + "pict.txt", host).code(), SysError::kPathNotFound);

    EXPECT_EQ(Snapshot(tmp / "outside"), before);
    EXPECT_TRUE(fs::is_symlink(tmp / "root" / c.link)) << "the link itself stays";
  }
}

// A link at the last name below the root is taken as itself: reported as a link, never read,
// truncated or written through; a move replaces it and a deletion removes only the link.
TEST_F(PosixFileSystemTest, LinkAtTheLastNameIsTakenAsItself) {
  fs::create_directories(tmp / "root/btn/pet");
  fs::create_directories(tmp / "outside/folder");
  WriteText(tmp / "outside/victim.bmp", "victim");
  fs::create_symlink(tmp / "outside/victim.bmp", tmp / "root/btn/pet/a.bmp");
  fs::create_symlink(tmp / "outside/victim.bmp", tmp / "root/btn/pet/b.bmp");
  fs::create_directory_symlink(tmp / "outside/folder", tmp / "root/btn/pet/c.bmp");
  const auto before = Snapshot(tmp / "outside");
  files.Confine("d:\\root");

  EXPECT_EQ(files.Inspect("d:\\root\\btn\\pet\\a.bmp").kind, PathKind::kLink);
  EXPECT_FALSE(files.FileExists("d:\\root\\btn\\pet\\a.bmp"));
  EXPECT_EQ(CreateError("d:\\root\\btn\\pet\\a.bmp", true), SysError::kFileExists);
  EXPECT_EQ(CreateError("d:\\root\\btn\\pet\\a.bmp", false), SysError::kAccessDenied);
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(files.ReadFile("d:\\root\\btn\\pet\\a.bmp", bytes).code(), SysError::kAccessDenied);

  Write("d:\\root\\btn\\pet\\a.new", "installed");
  EXPECT_TRUE(Ok(files.MoveReplace("d:\\root\\btn\\pet\\a.new", "d:\\root\\btn\\pet\\a.bmp")));
  EXPECT_FALSE(fs::is_symlink(tmp / "root/btn/pet/a.bmp"));
  EXPECT_EQ(ReadText(tmp / "root/btn/pet/a.bmp"), "installed");
  Write("d:\\root\\btn\\pet\\c.new", "over a link to a folder");
  EXPECT_TRUE(Ok(files.MoveReplace("d:\\root\\btn\\pet\\c.new", "d:\\root\\btn\\pet\\c.bmp")));
  EXPECT_EQ(ReadText(tmp / "root/btn/pet/c.bmp"), "over a link to a folder");

  EXPECT_TRUE(Ok(files.DeleteFile("d:\\root\\btn\\pet\\b.bmp")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(tmp / "root/btn/pet/b.bmp")));
  EXPECT_EQ(Snapshot(tmp / "outside"), before);
}

// Neither a pipe nor a device is read: a pipe at a path is refused at once, not waited on.
TEST_F(PosixFileSystemTest, PipeIsNeitherFileNorWaitedOn) {
  fs::create_directories(tmp / "root/btn");
  ASSERT_EQ(::mkfifo((tmp / "root/btn/a.bmp").c_str(), 0666), 0);
  files.Confine("d:\\root");
  EXPECT_EQ(files.Inspect("d:\\root\\btn\\a.bmp").kind, PathKind::kOther);
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(files.ReadFile("d:\\root\\btn\\a.bmp", bytes).code(), SysError::kAccessDenied);
}

// The root and the folders above it are the user's: reached through links, they still work.
TEST_F(PosixFileSystemTest, RootReachedThroughLinks) {
  fs::create_directories(tmp / "data/vexon7");
  fs::create_directory_symlink(tmp / "data", tmp / "srv");
  fs::create_directory_symlink(tmp / "data/vexon7", tmp / "vexon7");
  for (const char* root : {"d:\\srv\\vexon7", "d:\\vexon7"}) {
    SCOPED_TRACE(root);
    files.Confine(root);
    const std::string btn = std::string(root) + "\\btn";
    EXPECT_TRUE(Ok(files.CreateDirectory(btn))) << "creates data/vexon7/btn the first time";
    Write(btn + "\\a.bmp", root);
    EXPECT_EQ(ReadText(tmp / "data/vexon7/btn/a.bmp"), root);
    EXPECT_EQ(files.Inspect(root).kind, PathKind::kDirectory);
    EXPECT_TRUE(Ok(files.SetCurrentDirectory(root)));
    EXPECT_TRUE(Ok(files.DeleteFile(btn + "\\a.bmp")));
    EXPECT_TRUE(Ok(files.SetCurrentDirectory("d:\\")));
    fs::remove(tmp / "data/vexon7/btn");
  }
}

// The root names the folder the current directory runs through, in the case it has on disk,
// even when a sibling is spelled exactly like the root's text.
TEST_F(PosixFileSystemTest, ConfinedRootIsTheCurrentDirectoryInItsCase) {
  fs::create_directories(tmp / "x/VEXON7/dedudodevorud");
  fs::create_directories(tmp / "x/vexon7");
  for (const char* started : {"x/VEXON7", "x/VEXON7/dedudodevorud"}) {
    SCOPED_TRACE(started);
    Enter(tmp / started);
    files.Confine("d:\\x\\vexon7");
    EXPECT_TRUE(Ok(files.CreateDirectory("d:\\x\\vexon7\\btn")));
    Write("d:\\x\\vexon7\\btn\\a.bmp", started);
    EXPECT_EQ(ReadText(tmp / "x/VEXON7/btn/a.bmp"), started);
    EXPECT_TRUE(Ok(files.SetCurrentDirectory("d:\\x\\vexon7")));
    EXPECT_EQ(Cwd(files), "d:\\x\\VEXON7");
    fs::remove_all(tmp / "x/VEXON7/btn");
  }
  EXPECT_TRUE(fs::is_empty(tmp / "x/vexon7")) << "the sibling received nothing";

  // Started elsewhere, the root's text decides as any path's does: the exact name.
  Enter(tmp.path());
  files.Confine("d:\\x\\vexon7");
  Write("d:\\x\\vexon7\\b.bmp", "exact");
  EXPECT_EQ(ReadText(tmp / "x/vexon7/b.bmp"), "exact");
}

// The folders below the root are kept open between calls. One deleted and made again is found
// again; one deleted and replaced by a link is not followed.
TEST_F(PosixFileSystemTest, ConfinedFolderReplacedMeanwhile) {
  fs::create_directories(tmp / "root/btn/erp");
  fs::create_directories(tmp / "outside");
  files.Confine("d:\\root");
  Write("d:\\root\\btn\\erp\\a.bmp", "first");
  fs::remove_all(tmp / "root/btn");
  fs::create_directories(tmp / "root/btn/erp");
  Write("d:\\root\\btn\\erp\\b.bmp", "second");
  EXPECT_EQ(ReadText(tmp / "root/btn/erp/b.bmp"), "second");

  fs::remove_all(tmp / "root/btn/erp");
  fs::create_directory_symlink(tmp / "outside", tmp / "root/btn/erp");
  EXPECT_EQ(CreateError("d:\\root\\btn\\erp\\c.bmp", true), SysError::kPathNotFound);
  EXPECT_TRUE(fs::is_empty(tmp / "outside"));
}

}  // namespace
}  // namespace platform

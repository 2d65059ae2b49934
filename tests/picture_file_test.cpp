#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include "export/PictureCheck.h"
#include "export/PictureFile.h"
#include "export/PictureStore.h"
#include "forms/Forms.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/FaultFileSystem.h"
#include "tests/TestPictures.h"

namespace varnel {
namespace {

using testing_pictures::Bytes;
using testing_pictures::MakeBitmap;
using testing_pictures::MakeJpeg;
using testing_pictures::PackText;
using testing_pictures::ReadHostFile;
using testing_pictures::ScratchFolder;
using testing_pictures::WriteHostFile;
using Op = platform::FaultFileSystem::Op;

forms::TGraphic Graphic(const Bytes& bytes) {
  return GraphicFromBytes(bytes, "test picture");
}

std::string ErrorOf(const std::function<void()>& write) {
  try {
    write();
  } catch (const forms::Exception& error) {
    return error.what();
  }
  return "(no error)";
}

// Every depth and colour-table form; a picture in the stored form comes back byte for byte,
// an 8-bit one without a colours-used count gets the count of the 256 entries it writes.
TEST(PictureFile, WritesBitmapsInTheirStoredForm) {
  struct Case {
    int depth;
    std::uint32_t coloursUsed;
    int width, height;
    std::uint32_t writtenColoursUsed;
  };
  const Case cases[] = {
      {8, 256, 61, 57, 256}, {8, 16, 5, 3, 16}, {8, 0, 7, 2, 256},
      {24, 0, 61, 57, 0},    {24, 0, 1, 1, 0},  {32, 0, 37, 35, 0},
  };
  ScratchFolder folder;
  platform::PosixFileSystem fs;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.depth << " bits, colours used " << c.coloursUsed);
    const Bytes stored = MakeBitmap(c.width, c.height, c.depth, c.coloursUsed, 3);
    Bytes expected = stored;
    expected[kBmpFileHeaderSize + kBmpColoursUsedField] =
        static_cast<std::uint8_t>(c.writtenColoursUsed & 0xFF);
    expected[kBmpFileHeaderSize + kBmpColoursUsedField + 1] =
        static_cast<std::uint8_t>(c.writtenColoursUsed >> 8);
    WriteGraphic(fs, Graphic(stored), folder.Windows() + "\\out.bmp");
    const Bytes written = ReadHostFile(folder.Host() / "out.bmp");
    EXPECT_EQ(written, expected);
    const std::size_t tableBytes = c.depth == 8 ? 4 * (c.coloursUsed == 16 ? 16 : 256) : 0;
    EXPECT_EQ(
        written.size(),
        54 + tableBytes + std::size_t((c.width * c.depth + 31) / 32 * 4) * std::size_t(c.height));
  }
}

// No conversion ever happens: the encoding comes from the picture, not the file name; an
// existing larger file is replaced by exactly the picture's bytes.
TEST(PictureFile, WritesTheStoredEncodingWhateverTheName) {
  ScratchFolder folder;
  platform::PosixFileSystem fs;
  const Bytes bitmap = MakeBitmap(9, 4, 24);
  const Bytes jpeg = MakeJpeg(16, 8);
  const Bytes large(100000, 0x5A);
  WriteHostFile(folder.Host() / "a.jpg", large);
  WriteHostFile(folder.Host() / "b.bmp", large);
  WriteGraphic(fs, Graphic(bitmap), folder.Windows() + "/a.jpg");
  WriteGraphic(fs, Graphic(jpeg), folder.Windows() + "//b.bmp");
  EXPECT_EQ(ReadHostFile(folder.Host() / "a.jpg"), bitmap);
  EXPECT_EQ(ReadHostFile(folder.Host() / "b.bmp"), jpeg);
  // Twice to one path gives the same content.
  WriteGraphic(fs, Graphic(bitmap), folder.Windows() + "\\a.jpg");
  EXPECT_EQ(ReadHostFile(folder.Host() / "a.jpg"), bitmap);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.jpg", "b.bmp"}));
}

TEST(PictureFile, EmptySlotWritesNothingOrFailsByForm) {
  ScratchFolder folder;
  platform::PosixFileSystem fs;
  forms::TPicture empty;
  SaveToFile(fs, empty, folder.Windows() + "\\e.bmp");
  EXPECT_TRUE(folder.Names().empty());
  EXPECT_EQ(ErrorOf([&] { SaveGraphicToFile(fs, empty, folder.Windows() + "\\e.bmp"); }),
            kEmptyPictureText);
  EXPECT_TRUE(folder.Names().empty());

  const Bytes bitmap = MakeBitmap(3, 3, 8, 256);
  forms::TPicture held;
  held.Assign(Graphic(bitmap));
  SaveToFile(fs, held, folder.Windows() + "\\p.bmp");
  SaveGraphicToFile(fs, held, folder.Windows() + "\\g.bmp");
  EXPECT_EQ(ReadHostFile(folder.Host() / "p.bmp"), bitmap);
  EXPECT_EQ(ReadHostFile(folder.Host() / "g.bmp"), bitmap);
}

// Below the install root a folder's names are listed once and kept up to date with this
// program's own changes. What another program does there meanwhile must still come out right:
// a file it deleted is written anew, a file it made is replaced, a folder it made in a
// file's place is refused; nothing is left beside them.
TEST(PictureFile, ChangesByOthersSinceTheFolderWasListed) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.Host() / "btn");
  platform::PosixFileSystem fs;
  fs.Confine(folder.Windows());
  const std::string btn = folder.Windows() + "\\btn\\";
  const Bytes old = MakeBitmap(2, 2, 24, 0, 1);
  const Bytes picture = MakeBitmap(3, 2, 24, 0, 7);
  // The folder is listed with gone.bmp and taken.bmp in it.
  WriteGraphic(fs, Graphic(old), btn + "gone.bmp");
  WriteGraphic(fs, Graphic(old), btn + "taken.bmp");

  std::filesystem::remove(folder.Host() / "btn" / "gone.bmp");
  WriteHostFile(folder.Host() / "btn" / "new.bmp", old);
  std::filesystem::remove(folder.Host() / "btn" / "taken.bmp");
  std::filesystem::create_directory(folder.Host() / "btn" / "taken.bmp");

  WriteGraphic(fs, Graphic(picture), btn + "gone.bmp");
  WriteGraphic(fs, Graphic(picture), btn + "new.bmp");
  EXPECT_EQ(ReadHostFile(folder.Host() / "btn" / "gone.bmp"), picture);
  EXPECT_EQ(ReadHostFile(folder.Host() / "btn" / "new.bmp"), picture);
  EXPECT_EQ(ErrorOf([&] { WriteGraphic(fs, Graphic(picture), btn + "taken.bmp"); }),
            "Cannot create file \"" + fs.FullPath(btn + "taken.bmp") + "\". Access is denied");
  EXPECT_TRUE(std::filesystem::is_directory(folder.Host() / "btn" / "taken.bmp"));
  EXPECT_EQ(folder.Names("btn"), (std::vector<std::string>{"gone.bmp", "new.bmp", "taken.bmp"}));
}

// Errors at the target: the message names the full path, and nothing changes on disk.
TEST(PictureFile, CannotCreateLeavesEverythingAsItWas) {
  ScratchFolder folder;
  platform::PosixFileSystem fs;
  const Bytes previous = MakeBitmap(4, 4, 24, 0, 9);
  std::filesystem::create_directory(folder.Host() / "sub");
  std::filesystem::create_directory(folder.Host() / "sub" / "fundo.jpg");
  WriteHostFile(folder.Host() / "sub" / "locked.bmp", previous);
  std::filesystem::permissions(
      folder.Host() / "sub" / "locked.bmp",
      std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  const std::string base = folder.Windows();
  const std::string full = fs.FullPath(base);
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {base + "\\missing\\a.bmp", "Cannot create file \"" + full +
                                      "\\missing\\a.bmp\". The system cannot find the path "
                                      "specified"},
      {base + "/sub//fundo.jpg",
       "Cannot create file \"" + full + "\\sub\\fundo.jpg\". Access is denied"},
      {base + "\\SUB\\locked.bmp",
       "Cannot create file \"" + full + "\\SUB\\locked.bmp\". Access is denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ErrorOf([&] { WriteGraphic(fs, Graphic(MakeBitmap(2, 2, 24)), c.path); }), c.message);
    EXPECT_EQ(ErrorOf([&] { WriteGraphic(fs, Graphic(MakeJpeg(8, 8)), c.path); }), c.message);
  }
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"sub"});
  EXPECT_EQ(folder.Names("sub"), (std::vector<std::string>{"fundo.jpg", "locked.bmp"}));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Host() / "sub" / "fundo.jpg"));
  EXPECT_EQ(ReadHostFile(folder.Host() / "sub" / "locked.bmp"), previous);
}

// Every write of either encoding that comes back short, every failing call on the way: the
// error, the previous file intact, and nothing beside it; where there was no previous file,
// nothing at all.
TEST(PictureFile, FailuresKeepThePreviousFile) {
  const Bytes bitmap8 = MakeBitmap(6, 5, 8, 256, 4);  // one write: 14 + 40 + 1024 + 40 bytes
  const Bytes jpeg = MakeJpeg(24, 16, 4);             // one write
  const Bytes previous = MakeBitmap(3, 2, 24, 0, 8);
  struct Case {
    const char* name;
    const Bytes* picture;
    std::function<void(platform::FaultFileSystem&)> arm;
    const char* message;  // exact, or with the path: a prefix
  };
  const Case cases[] = {
      {"short in file header", &bitmap8, [](auto& f) { f.ShortWrite(1, 13); },
       "Stream write error"},
      {"short in info header", &bitmap8, [](auto& f) { f.ShortWrite(1, 14 + 39); },
       "Stream write error"},
      {"short in colour table", &bitmap8, [](auto& f) { f.ShortWrite(1, 14 + 40 + 1023); },
       "Stream write error"},
      {"short in pixel rows", &bitmap8, [](auto& f) { f.ShortWrite(1, 14 + 40 + 1024 + 39); },
       "Stream write error"},
      {"disk full in file header", &bitmap8, [](auto& f) { f.DiskFullAfter(0); },
       "Stream write error"},
      {"disk full in info header", &bitmap8, [](auto& f) { f.DiskFullAfter(20); },
       "Stream write error"},
      {"disk full in colour table", &bitmap8, [](auto& f) { f.DiskFullAfter(60); },
       "Stream write error"},
      {"disk full in pixel rows", &bitmap8, [](auto& f) { f.DiskFullAfter(14 + 40 + 1024 + 1); },
       "Stream write error"},
      {"JPEG short", &jpeg, [](auto& f) { f.ShortWrite(1, 100); }, "Stream write error"},
      {"JPEG disk full", &jpeg, [&](auto& f) { f.DiskFullAfter(jpeg.size() - 1); },
       "Stream write error"},
      {"write fails", &jpeg,
       [](auto& f) { f.FailNth(Op::kWrite, 1, platform::SysError::kWriteFault); },
       "Stream write error"},
      {"close fails", &bitmap8,
       [](auto& f) { f.FailNth(Op::kClose, 1, platform::SysError::kDiskFull); },
       "Stream write error"},
      {"create fails", &bitmap8,
       [](auto& f) { f.FailNth(Op::kCreateFile, 1, platform::SysError::kAccessDenied); },
       "Cannot create file \"@\". Access is denied"},
      {"replace fails", &jpeg,
       [](auto& f) { f.FailNth(Op::kMoveReplace, 1, platform::SysError::kSharingViolation); },
       "Cannot create file \"@\". The process cannot access the file because it is being used by "
       "another process"},
  };
  for (const bool hadPrevious : {true, false}) {
    for (const Case& c : cases) {
      // Only the replacing of a previous file can fail in the replace.
      if (!hadPrevious && std::string(c.name) == "replace fails") continue;
      SCOPED_TRACE(std::string(c.name) + (hadPrevious ? ", previous file" : ", new file"));
      ScratchFolder folder;
      platform::PosixFileSystem posix;
      platform::FaultFileSystem fs(posix);
      if (hadPrevious) WriteHostFile(folder.Host() / "btn1.bmp", previous);
      c.arm(fs);
      const std::string path = folder.Windows() + "\\btn1.bmp";
      std::string expected = c.message;
      if (auto at = expected.find('@'); at != std::string::npos)
        expected.replace(at, 1, posix.FullPath(path));
      EXPECT_EQ(ErrorOf([&] { WriteGraphic(fs, Graphic(*c.picture), path); }), expected);
      if (hadPrevious) {
        EXPECT_EQ(ReadHostFile(folder.Host() / "btn1.bmp"), previous);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"btn1.bmp"});
      } else {
        EXPECT_EQ(folder.Names(), std::vector<std::string>{});
      }
    }
  }
}

// A new file is written in place. A previous file is replaced by a temporary file written in
// the target's folder under our own recognisable name.
TEST(PictureFile, TemporaryFileBesideTheTarget) {
  ScratchFolder folder;
  platform::PosixFileSystem posix;
  platform::FaultFileSystem fs(posix);
  std::filesystem::create_directory(folder.Host() / "pet");
  const Bytes first = MakeJpeg(8, 8), second = MakeJpeg(8, 8, 3);
  const std::string target = folder.Windows() + "\\PET\\fundo.jpg";
  // The calls that name files; writes and closes are left out.
  const auto named = [&fs] {
    std::vector<std::string> calls;
    for (const std::string& call : fs.Journal())
      if (!call.starts_with("Write ") && !call.starts_with("Close ")) calls.push_back(call);
    return calls;
  };
  WriteGraphic(fs, Graphic(first), target);
  EXPECT_EQ(named(), std::vector<std::string>{"CreateFile " + target});
  EXPECT_EQ(ReadHostFile(folder.Host() / "pet" / "fundo.jpg"), first);

  WriteGraphic(fs, Graphic(second), target);
  const std::vector<std::string> calls = named();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[1], "CreateFile " + target);  // refused: it exists
  const std::string create = calls[2];
  const std::string prefix = "CreateFile " + folder.Windows() + "\\PET\\";
  ASSERT_EQ(create.substr(0, prefix.size()), prefix);
  EXPECT_TRUE(IsTemporaryName(create.substr(prefix.size()))) << create;
  EXPECT_EQ(calls[3].substr(0, 12), "MoveReplace ");
  EXPECT_EQ(folder.Names("pet"), std::vector<std::string>{"fundo.jpg"});
  EXPECT_EQ(ReadHostFile(folder.Host() / "pet" / "fundo.jpg"), second);

  const struct {
    const char* name;
    bool ours;
  } names[] = {{"~instalador-12.tmp", true},
               {"~instalador-.tmp", false},
               {"~instalador-1a.tmp", false},
               {"fundo.jpg", false},
               {"instalador-1.tmp", false}};
  for (const auto& n : names) EXPECT_EQ(IsTemporaryName(n.name), n.ours) << n.name;
}

TEST(PictureFile, TakenTemporaryNameIsPassedOver) {
  ScratchFolder folder;
  platform::PosixFileSystem posix;
  platform::FaultFileSystem fs(posix);
  WriteHostFile(folder.Host() / "x.jpg", MakeJpeg(4, 4));
  fs.FailNth(Op::kCreateFile, 2, platform::SysError::kFileExists);  // the first temporary name
  const Bytes jpeg = MakeJpeg(8, 8);
  WriteGraphic(fs, Graphic(jpeg), folder.Windows() + "\\x.jpg");
  EXPECT_EQ(fs.Calls(Op::kCreateFile), 3);
  EXPECT_EQ(ReadHostFile(folder.Host() / "x.jpg"), jpeg);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"x.jpg"});
}

// A real full disk: a 64 KiB tmpfs that cannot hold the picture.
TEST(PictureFile, RealDiskFull) {
  ScratchFolder folder;
  const std::filesystem::path mount = folder.Host() / "small";
  std::filesystem::create_directory(mount);
  if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here: " << std::strerror(errno);
  struct Unmount {
    std::filesystem::path path;
    ~Unmount() { ::umount(path.c_str()); }
  } unmount{mount};
  platform::PosixFileSystem fs;
  const Bytes previous = MakeBitmap(40, 40, 24, 0, 2);  // about 5 KiB
  WriteHostFile(mount / "fundo.bmp", previous);
  const Bytes large = MakeBitmap(200, 200, 24, 0, 5);  // about 120 KiB
  EXPECT_EQ(
      ErrorOf([&] { WriteGraphic(fs, Graphic(large), folder.Windows() + "/small/fundo.bmp"); }),
      "Stream write error");
  EXPECT_EQ(ReadHostFile(mount / "fundo.bmp"), previous);
  EXPECT_EQ(folder.Names("small"), std::vector<std::string>{"fundo.bmp"});
  // What fits is written whole.
  const Bytes small = MakeBitmap(30, 30, 24, 0, 6);
  WriteGraphic(fs, Graphic(small), folder.Windows() + "/small/fundo.bmp");
  EXPECT_EQ(ReadHostFile(mount / "fundo.bmp"), small);
}

// Counts the system calls of the files it creates: each WriteParts, and its parts.
class CountingFileSystem : public platform::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::vector<std::size_t> writes;  // the parts of each WriteParts call, in order

  platform::Status CreateFile(const std::string& path, bool mustBeNew,
                              std::unique_ptr<platform::File>& file) override {
    const platform::Status status = FileSystemWrapper::CreateFile(path, mustBeNew, file);
    if (status.ok()) file = std::make_unique<Counted>(std::move(file), writes);
    return status;
  }

 private:
  class Counted : public platform::File {
   public:
    Counted(std::unique_ptr<platform::File> file, std::vector<std::size_t>& writes)
        : file_(std::move(file)), writes_(writes) {}
    platform::Status WriteParts(std::span<const std::span<const std::uint8_t>> parts) override {
      writes_.push_back(parts.size());
      return file_->WriteParts(parts);
    }
    platform::Status Close() override { return file_->Close(); }

   private:
    std::unique_ptr<platform::File> file_;
    std::vector<std::size_t>& writes_;
  };
};

// Every file goes out in one write of one part, as the least a file can take: a bitmap with
// packed rows and one kept whole, 8 and 24 bits, and a JPEG; prepared beforehand or not; into a
// new file or over a previous one. The bytes are the same whichever way the file was prepared.
TEST(PictureFile, EachFileIsOneWrite) {
  const Bytes store = PackText(R"(object Sheet: TSheet
  object Wide: TImage
    Picture = bitmap 64x48 24
  end
  object Indexed: TImage
    Picture = bitmap 33x20 8
  end
end
)",
                               {{"Wide.Picture", MakeBitmap(64, 48, 24, 0, 1)},
                                {"Indexed.Picture", MakeBitmap(33, 20, 8, 0, 2)}});
  const PictureStore loaded = PictureStore::Load(store, "TSHEET");
  const forms::TGraphic packed24 = loaded.FindPicture("Wide", "Picture")->graphic;
  const forms::TGraphic packed8 = loaded.FindPicture("Indexed", "Picture")->graphic;
  ASSERT_TRUE(packed24.Packed());
  ASSERT_TRUE(packed8.Packed());
  const Bytes whole = MakeBitmap(9, 7, 24, 0, 3), jpeg = MakeJpeg(8, 8);
  const forms::TGraphic graphics[] = {packed24, packed8, Graphic(whole), Graphic(jpeg)};

  ScratchFolder folder;
  platform::PosixFileSystem posix;
  CountingFileSystem fs(posix);
  int n = 0;
  for (const forms::TGraphic& graphic : graphics) {
    SCOPED_TRACE(n);
    Bytes prepared(graphic.FileSize());
    PrepareFile(graphic, prepared);
    const std::string name = "f" + std::to_string(n++) + ".bmp";
    for (const bool givePrepared : {false, true, false}) {  // new, then over a previous file
      fs.writes.clear();
      WriteGraphic(
          fs, graphic, folder.Windows() + "\\" + name,
          givePrepared ? std::span<const std::uint8_t>(prepared) : std::span<const std::uint8_t>());
      EXPECT_EQ(fs.writes, std::vector<std::size_t>{1});
      EXPECT_EQ(ReadHostFile(folder.Host() / name), prepared);
    }
  }
  // The packed pictures' files are their whole stored forms, the 8-bit one with its count of
  // colours made exact.
  Bytes expected8 = MakeBitmap(33, 20, 8, 0, 2);
  expected8[kBmpFileHeaderSize + kBmpColoursUsedField] = 0;
  expected8[kBmpFileHeaderSize + kBmpColoursUsedField + 1] = 1;
  EXPECT_EQ(ReadHostFile(folder.Host() / "f0.bmp"), MakeBitmap(64, 48, 24, 0, 1));
  EXPECT_EQ(ReadHostFile(folder.Host() / "f1.bmp"), expected8);
  EXPECT_EQ(folder.Names().size(), 4u) << "no temporary file is left";
}

}  // namespace
}  // namespace varnel

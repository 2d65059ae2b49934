#include <gtest/gtest.h>

#include "export/InstallRoot.h"

namespace varnel {
namespace {

struct RootCase {
  const char* currentDirectory;
  const char* drive;
  const char* directory;
};

TEST(InstallRoot, FromCurrentDirectory) {
  const RootCase cases[] = {
      {"C:\\VEXON7", "c:", "\\vexon7"},
      {"C:\\Vexon7\\DedudoDevorud", "c:", "\\vexon7"},
      {"D:\\Sistemas\\VEXON7", "d:", "\\sistemas\\vexon7"},
      {"C:\\", "c:", "\\"},
      // The root ends after the marker's "vexon7", also below the subfolder.
      {"c:\\vexon7\\dedudodevorud\\old", "c:", "\\vexon7"},
      {"D:\\Sistemas\\Vexon7\\DEDUDODEVORUD", "d:", "\\sistemas\\vexon7"},
      // Only A to Z are lowered; UTF-8 bytes of accented letters pass unchanged.
      {"C:\\A\xC3\x87\xC3\x83O\\Vexon7", "c:", "\\a\xC3\x87\xC3\x83o\\vexon7"},
      {"\\\\server\\share\\vexon7", "\\\\", "server\\share\\vexon7"},
      // A folder merely named like the product is no marker.
      {"c:\\dedudodevorud", "c:", "\\dedudodevorud"},
      {"c:\\myvexon7\\dedudodevorud", "c:", "\\myvexon7"},
  };
  for (const RootCase& c : cases) {
    const InstallRoot root = InstallRoot::FromDirectory(c.currentDirectory);
    EXPECT_EQ(root.Drive(), c.drive) << c.currentDirectory;
    EXPECT_EQ(root.Directory(), c.directory) << c.currentDirectory;
    EXPECT_EQ(InstallRoot::FromDirectory(root.Folder()).Folder(), root.Folder())
        << "the root of the root is itself: " << c.currentDirectory;
  }
}

// Every path of the run is a plain concatenation on the root: no separator is added or removed,
// so a drive root and a network root give the product's own doubled or tripled separators.
TEST(InstallRoot, PathsComposedOnIt) {
  struct PathCase {
    const char* folder;
    const char* btn;
    const char* pet;
    const char* marker;
    const char* mysql;
  };
  const PathCase cases[] = {
      {"c:\\vexon7", "c:\\vexon7\\btn", "c:\\vexon7\\btn\\pet", "c:\\vexon7\\txt\\pict.txt",
       "c:\\mysql\\data\\\\vexon7"},
      {"c:\\", "c:\\\\btn", "c:\\\\btn\\pet", "c:\\\\txt\\pict.txt", "c:\\mysql\\data\\\\"},
      {"\\\\srv\\share\\vexon7", "\\\\srv\\share\\vexon7\\btn", "\\\\srv\\share\\vexon7\\btn\\pet",
       "\\\\srv\\share\\vexon7\\txt\\pict.txt", "\\\\\\mysql\\data\\srv\\share\\vexon7"},
  };
  for (const PathCase& c : cases) {
    const InstallRoot root = InstallRoot::FromDirectory(c.folder);
    EXPECT_EQ(root.Folder(), c.folder);
    EXPECT_EQ(root.Btn(), c.btn) << c.folder;
    EXPECT_EQ(root.EditionFolder("pet"), c.pet) << c.folder;
    EXPECT_EQ(root.MarkerFile(), c.marker) << c.folder;
    EXPECT_EQ(root.MysqlData(), c.mysql) << c.folder;
    EXPECT_EQ(root.MysqlTemp(), std::string(c.mysql) + "tmp") << c.folder;
  }
}

}  // namespace
}  // namespace varnel

#include <gtest/gtest.h>

#include "app/Menu.h"

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
    const InstallRoot root = InstallRootFromDirectory(c.currentDirectory);
    EXPECT_EQ(root.drive, c.drive) << c.currentDirectory;
    EXPECT_EQ(root.directory, c.directory) << c.currentDirectory;
    EXPECT_EQ(root.drive + root.directory,
              InstallRootFromDirectory(std::string(root.drive) + root.directory).drive +
                  InstallRootFromDirectory(std::string(root.drive) + root.directory).directory)
        << "the root of the root is itself: " << c.currentDirectory;
  }
}

}  // namespace
}  // namespace varnel

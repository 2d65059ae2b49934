// The install root: the product's installation folder, as the drive text ("c:") and the
// directory text ("\vexon7") whose concatenation names it. It is worked out once, when the run
// starts, and every path of the run is composed on it by plain concatenation, the way the
// product composes its own paths: no separator is added or removed, so a drive root gives
// "c:" + "\" + "\btn", which Windows reads as c:\btn.
#pragma once

#include <string>
#include <string_view>

namespace varnel {

class InstallRoot {
 public:
  // The install root of a folder (the current directory, or a folder given on purpose):
  // lower-cased (A to Z only), the drive text is its first two characters, and when the folder
  // lies in or under the product's "vexon7\dedudodevorud" subfolder the directory text ends
  // right after that "vexon7".
  static InstallRoot FromDirectory(std::string_view directory);

  const std::string& Drive() const { return drive_; }
  const std::string& Directory() const { return directory_; }

  // The installation folder itself ("c:\vexon7").
  std::string Folder() const { return drive_ + directory_; }
  // The folder of the pictures ("c:\vexon7\btn") and one edition folder in it.
  std::string Btn() const { return Folder() + "\\btn"; }
  std::string EditionFolder(std::string_view edition) const {
    return Btn() + "\\" + std::string(edition);
  }
  // The marker file the run deletes at its end.
  std::string MarkerFile() const { return Folder() + "\\txt\\pict.txt"; }
  // The product's two MySQL data folders on the install drive ("c:\mysql\data\\vexon7" and the
  // same with "tmp" appended).
  std::string MysqlData() const { return drive_ + "\\mysql\\data\\" + directory_; }
  std::string MysqlTemp() const { return MysqlData() + "tmp"; }

 private:
  InstallRoot(std::string drive, std::string directory)
      : drive_(std::move(drive)), directory_(std::move(directory)) {}
  std::string drive_;
  std::string directory_;
};

}  // namespace varnel

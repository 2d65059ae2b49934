#include "run/FolderPreparation.h"

#include "export/FrmVariaveis.h"
#include "export/PictureFile.h"
#include "platform/Text.h"

namespace varnel {

void CreateFolderQuietly(platform::FileSystem& files, const std::string& path) {
  (void)files.CreateDirectory(platform::LowerAscii(path));
}

void PrepareFolders(platform::FileSystem& files, const InstallRoot& root) {
  CreateFolderQuietly(files, root.MysqlData());
  CreateFolderQuietly(files, root.MysqlTemp());
  // Every later path is absolute: a failure here changes nothing.
  (void)files.SetCurrentDirectory(root.Folder());
  CreateFolderQuietly(files, root.Btn());
  for (std::string_view edition : kEditionFolders) {
    CreateFolderQuietly(files, root.EditionFolder(edition));
    // What a killed run left half written goes before anything is written again.
    RemoveLeftoverTemporaries(files, platform::LowerAscii(root.EditionFolder(edition)));
  }
}

}  // namespace varnel

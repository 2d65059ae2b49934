#include "export/MarkerFile.h"

namespace varnel {

void DeleteMarkerFile(platform::FileSystem& files, const InstallRoot& root) {
  const std::string marker = root.MarkerFile();
  // A link standing there is deleted as itself (the file system never deletes through one);
  // a folder stays.
  const platform::PathKind kind = files.Inspect(marker).kind;
  if (kind != platform::PathKind::kMissing && kind != platform::PathKind::kDirectory)
    (void)files.DeleteFile(marker);
}

}  // namespace varnel

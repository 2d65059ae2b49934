#include "export/MarkerFile.h"

namespace varnel {

void DeleteMarkerFile(platform::FileSystem& files, const InstallRoot& root) {
  const std::string marker = root.MarkerFile();
  if (files.FileExists(marker)) (void)files.DeleteFile(marker);
}

}  // namespace varnel

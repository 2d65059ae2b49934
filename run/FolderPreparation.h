// The folder preparation that runs before any picture is written: the product's two MySQL data
// folders, the install root as current directory, and the btn tree of the 22 edition folders.
// Every step is best effort: a folder that cannot be made is passed over without a word, and
// the sheets report it when they first write into it.
#pragma once

#include <string>

#include "export/InstallRoot.h"
#include "platform/FileSystem.h"

namespace varnel {

// Creates the folders under `root` in the product's order (MySQL data folder, its "tmp"
// sibling, change of directory, btn, the edition folders), and deletes in each edition folder
// the temporary files a killed run left.
void PrepareFolders(platform::FileSystem& files, const InstallRoot& root);

// Lower-cases `path` (A to Z only) and creates that one directory; a failure is passed over.
void CreateFolderQuietly(platform::FileSystem& files, const std::string& path);

}  // namespace varnel

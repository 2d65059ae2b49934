// The folder preparation that runs before any picture is written: the product's two MySQL data
// folders, the install root as current directory, and the btn tree of the 22 edition folders.
// Every step is best effort: a folder that cannot be made is passed over without a word to the
// user (the sheets report it when they first write into it); the run's events hear of it.
#pragma once

#include <string>

#include "export/RunContext.h"

namespace varnel {

// Creates the folders under `root` in the product's order (MySQL data folder, its "tmp"
// sibling, change of directory, btn, the edition folders), and deletes in each edition folder
// the temporary files a killed run left.
void PrepareFolders(const RunContext& run);

// Lower-cases `path` (A to Z only) and creates that one directory; a failure is passed over.
void CreateFolderQuietly(const RunContext& run, const std::string& path);

}  // namespace varnel

// The plan-based modes: the write plan of a complete run, and the check of an installed tree
// against it. Both run the installer itself over a read-only view of the file system with a
// sink that records instead of writing, so they see exactly what a run writes.
#pragma once

#include <cstdio>

#include "export/InstallRoot.h"
#include "platform/FileSystem.h"

namespace varnel {

// Prints the write plan on `out`; returns the exit code (1 when a sheet could not be loaded).
int ListPlan(platform::FileSystem& files, const InstallRoot& root, std::FILE* out, std::FILE* err);

// Compares the tree under the install root with the plan: each file missing, different, not a
// regular file (a link, a folder or anything else in its place, or a link in place of btn or
// its edition folder: links are never followed), or extra in an edition folder, then a summary,
// on `out`. Returns 0 when all match, else 1.
int VerifyTree(platform::FileSystem& files, const InstallRoot& root, std::FILE* out,
               std::FILE* err);

}  // namespace varnel

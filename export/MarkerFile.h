// The marker file <install root>\txt\pict.txt: deleted at the end of a complete run when a file
// (not a folder) is there. It is never created. A link in place of txt is not followed, so a
// pict.txt outside the install root is never deleted.
#pragma once

#include "export/InstallRoot.h"
#include "platform/FileSystem.h"

namespace varnel {

// Deletes the marker file when it is there. A failed deletion is not reported.
void DeleteMarkerFile(platform::FileSystem& files, const InstallRoot& root);

}  // namespace varnel

// The marker file <install root>\txt\pict.txt: deleted at the end of a complete run when a file
// (not a folder) is there. It is never created. A link in place of txt is not followed, so a
// pict.txt outside the install root is never deleted.
#pragma once

#include "export/RunContext.h"

namespace varnel {

// Deletes the marker file when it is there. A failed deletion is shown to nobody; the run's
// events hear of it.
void DeleteMarkerFile(const RunContext& run);

}  // namespace varnel

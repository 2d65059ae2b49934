#include "export/MarkerFile.h"

namespace varnel {

void DeleteMarkerFile(const RunContext& run) {
  const std::string marker = run.root.MarkerFile();
  if (!run.files.FileExists(marker)) {
    run.events.MarkerFile(marker, MarkerOutcome::kAbsent, platform::Status());
    return;
  }
  const platform::Status deleted = run.files.DeleteFile(marker);
  run.events.MarkerFile(marker, deleted.ok() ? MarkerOutcome::kDeleted : MarkerOutcome::kNotDeleted,
                        deleted);
}

}  // namespace varnel

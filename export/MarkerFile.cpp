#include "export/MarkerFile.h"

namespace varnel {

void DeleteMarkerFile(const RunContext& run) {
  const std::string marker = run.root.MarkerFile();
  // A link standing there is deleted as itself (the file system never deletes through one);
  // a folder stays.
  const platform::PathKind kind = run.files.Inspect(marker).kind;
  if (kind == platform::PathKind::kMissing || kind == platform::PathKind::kDirectory) {
    run.events.MarkerFile(marker, MarkerOutcome::kAbsent, platform::Status());
    return;
  }
  const platform::Status deleted = run.files.DeleteFile(marker);
  run.events.MarkerFile(marker, deleted.ok() ? MarkerOutcome::kDeleted : MarkerOutcome::kNotDeleted,
                        deleted);
}

}  // namespace varnel

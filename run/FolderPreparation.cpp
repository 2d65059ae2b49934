#include "run/FolderPreparation.h"

#include "export/FrmVariaveis.h"
#include "export/PictureFile.h"
#include "platform/Text.h"

namespace varnel {

void CreateFolderQuietly(const RunContext& run, const std::string& path) {
  const std::string folder = platform::LowerAscii(path);
  const platform::Status made = run.files.CreateDirectory(folder);
  if (made.ok()) return;
  // A folder already there is what was asked for.
  if (made.Exists() && run.files.Inspect(folder).kind == platform::PathKind::kDirectory) return;
  run.events.FolderNotCreated(run.files.FullPath(folder), made);
}

void PrepareFolders(const RunContext& run) {
  CreateFolderQuietly(run, run.root.MysqlData());
  CreateFolderQuietly(run, run.root.MysqlTemp());
  // Every later path is absolute: a failure here changes nothing.
  (void)run.files.SetCurrentDirectory(run.root.Folder());
  CreateFolderQuietly(run, run.root.Btn());
  for (std::string_view edition : kEditionFolders) {
    CreateFolderQuietly(run, run.root.EditionFolder(edition));
    // What a killed run left half written goes before anything is written again.
    RemoveLeftoverTemporaries(run.files, platform::LowerAscii(run.root.EditionFolder(edition)));
  }
}

}  // namespace varnel

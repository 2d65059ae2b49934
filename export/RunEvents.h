// What a run tells about itself as it goes, for whoever keeps a record of it (the log, the
// technician's terminal). Every event has a default that does nothing: a run works the same
// whether anyone listens or not.
#pragma once

#include <cstddef>
#include <exception>
#include <string>

#include "export/PictureSinks.h"
#include "platform/FileSystem.h"

namespace varnel {

enum class MarkerOutcome { kAbsent, kDeleted, kNotDeleted };

class RunEvents {
 public:
  virtual ~RunEvents() = default;

  // A folder of the preparation that could not be made (one already there is no failure).
  virtual void FolderNotCreated(const std::string& path, const platform::Status& why) {
    (void)path, (void)why;
  }
  // A picture written, or one that could not be (the error the sheet then stops with).
  virtual void FileWritten(const PlannedWrite& write) { (void)write; }
  virtual void FileFailed(const PlannedWrite& write, const std::exception& error) {
    (void)write, (void)error;
  }
  // A sheet's run ended, having written `written` files: to its end, or stopped by `error`.
  virtual void SheetEnded(const std::string& sheet, std::size_t written,
                          const std::exception* error) {
    (void)sheet, (void)written, (void)error;
  }
  // A sheet whose stored layout could not be loaded: it wrote nothing.
  virtual void SheetNotLoaded(const std::string& sheet, const std::exception& error) {
    (void)sheet, (void)error;
  }
  // The marker-file step, with the reason when the file stays.
  virtual void MarkerFile(const std::string& path, MarkerOutcome outcome,
                          const platform::Status& why) {
    (void)path, (void)outcome, (void)why;
  }
  // An error shown to the user: the error box's text, and the detail it leaves out.
  virtual void ErrorShown(const std::string& text, const std::string& detail) {
    (void)text, (void)detail;
  }
};

}  // namespace varnel

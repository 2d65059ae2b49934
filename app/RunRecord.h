// The record of a run for the people who support it: a log file, when one is asked for, with
// one line per event, each with its time. UTF-8, appended to, each line written at once, so a
// run that stops on an error, or is killed, leaves its log up to that point.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "export/RunEvents.h"
#include "platform/FileSystem.h"

namespace varnel {

class RunRecord : public RunEvents {
 public:
  explicit RunRecord(platform::FileSystem& files);

  // Starts keeping the log at `path` (its end); an error when it cannot be opened or written.
  platform::Status OpenLog(const std::string& path);
  bool Logging() const { return log_ != nullptr; }

  // One line with the time in front; nothing when no log is kept.
  void Note(const std::string& text);
  // The last line of a run: what was written and failed, how long it took, the exit code.
  void Finish(int exitCode);

  std::size_t FilesWritten() const { return written_; }
  std::size_t FilesFailed() const { return failed_; }

  void FolderNotCreated(const std::string& path, const platform::Status& why) override;
  void FileWritten(const PlannedWrite& write) override;
  void FileFailed(const PlannedWrite& write, const std::exception& error) override;
  void SheetEnded(const std::string& sheet, std::size_t written,
                  const std::exception* error) override;
  void SheetNotLoaded(const std::string& sheet, const std::exception& error) override;
  void MarkerFile(const std::string& path, MarkerOutcome outcome,
                  const platform::Status& why) override;
  void ErrorShown(const std::string& text, const std::string& detail) override;

 private:
  platform::FileSystem& files_;
  std::unique_ptr<platform::File> log_;
  std::chrono::steady_clock::time_point start_;
  std::size_t written_ = 0;
  std::size_t failed_ = 0;
};

// The time as the log writes it: local time with its offset from UTC, to the second
// ("2026-12-10T07:14:03-03:00").
std::string LogTimestamp(std::chrono::system_clock::time_point when);

}  // namespace varnel

#include "app/RunRecord.h"

#include <cstdio>
#include <ctime>

namespace varnel {

std::string LogTimestamp(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  std::tm utc{};
  // The log is written from one thread; the C library's shared results are copied at once.
  if (const std::tm* l = std::localtime(&seconds)) local = *l;
  if (const std::tm* u = std::gmtime(&seconds)) utc = *u;
  // The offset: local time read as if it were UTC, minus the real UTC.
  utc.tm_isdst = 0;
  std::tm localAsUtc = local;
  localAsUtc.tm_isdst = 0;
  const long offset =
      static_cast<long>(std::difftime(std::mktime(&localAsUtc), std::mktime(&utc)) / 60);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec, offset < 0 ? '-' : '+', std::labs(offset) / 60,
                std::labs(offset) % 60);
  return text;
}

RunRecord::RunRecord(platform::FileSystem& files)
    : files_(files), start_(std::chrono::steady_clock::now()) {}

platform::Status RunRecord::OpenLog(const std::string& path) {
  std::unique_ptr<platform::File> file;
  if (platform::Status opened = files_.OpenForAppend(path, file); !opened.ok()) return opened;
  log_ = std::move(file);
  return platform::Status();
}

void RunRecord::Note(const std::string& text) {
  if (!log_) return;
  const std::string line = LogTimestamp(std::chrono::system_clock::now()) + " " + text + "\n";
  // A log that cannot be written any more must not stop the installation.
  (void)log_->Write(line.data(), line.size());
}

void RunRecord::Finish(int exitCode) {
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  char figures[128];
  std::snprintf(figures, sizeof figures, "%zu files written, %zu failed, %.1f s", written_, failed_,
                seconds);
  Note(std::string("end: ") + figures + ", exit code " + std::to_string(exitCode));
  if (log_) (void)log_->Close();
}

void RunRecord::FolderNotCreated(const std::string& path, const platform::Status& why) {
  Note("folder not created: " + path + ": " + why.text());
}

void RunRecord::FileWritten(const PlannedWrite&) {
  ++written_;
}

void RunRecord::FileFailed(const PlannedWrite&, const std::exception&) {
  ++failed_;
}

void RunRecord::SheetEnded(const std::string& sheet, std::size_t written,
                           const std::exception* error) {
  if (error == nullptr)
    Note("sheet " + sheet + ": done, " + std::to_string(written) + " files written");
  else
    Note("sheet " + sheet + ": stopped after " + std::to_string(written) +
         " files written: " + error->what());
}

void RunRecord::SheetNotLoaded(const std::string& sheet, const std::exception& error) {
  Note("sheet " + sheet + ": not loaded, nothing written: " + error.what());
}

void RunRecord::MarkerFile(const std::string& path, MarkerOutcome outcome,
                           const platform::Status& why) {
  switch (outcome) {
    case MarkerOutcome::kAbsent:
      Note("marker file " + path + ": not there");
      break;
    case MarkerOutcome::kDeleted:
      Note("marker file " + path + ": deleted");
      break;
    case MarkerOutcome::kNotDeleted:
      Note("marker file " + path + ": not deleted: " + why.text());
      break;
  }
}

void RunRecord::ErrorShown(const std::string& text, const std::string& detail) {
  Note("error: " + text + (detail.empty() ? std::string() : " (" + detail + ")"));
}

}  // namespace varnel

// A complete run of the installer, compared line by line with the committed write plan
// tests/golden/write_plan.txt.
//
// The golden file holds, in order, every event of a complete run on a fresh install root
// d:\vexon7 that a user could tell apart: each file written, each folder asked for, the marker
// file deleted, the message pump points, each move of the gauge, the progress window shown and
// hidden, every error box, and the exit code. The header of the file says what its lines mean.
// So any change in what is written, in which order, or in where the pumps and the gauge steps
// fall, fails this test and shows as a diff of that file.
//
// After a deliberate change, write the golden file again from the code and review its diff:
//
//   VARNEL_UPDATE_GOLDEN=1 build/native/tests/unit_tests --gtest_filter='WritePlanTest.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Program.h"
#include "export/InstallRoot.h"
#include "export/PictureSinks.h"
#include "forms/Forms.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "run/PicShow.h"
#include "tests/TempDir.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(VARNEL_SOURCE_DIR) / "tests" / "golden" / "write_plan.txt";

// The first lines of the golden file.
constexpr const char* kHeader =
    "# The events of a complete run of instalador on a fresh install root d:\\vexon7, in order.\n"
    "# Written by tests/write_plan_test.cpp (VARNEL_UPDATE_GOLDEN=1); never edit it by hand.\n"
    "#   <path>\\t<sheet>\\t<routine>\\t<component>\\t<slot>\\t<bytes>  a file written; the path\n"
    "#                                as composed, before the system normalises it\n"
    "#   mkdir <path>                 a folder asked for (failed: <reason> when it was refused)\n"
    "#   delete <path>                a file deleted\n"
    "#   pump                         a message pump point\n"
    "#   step <n>                     the gauge moved to <n> steps\n"
    "#   window show | window hide    the progress window shown (or brought to the front), hidden\n"
    "#   error <text>                 an error box\n"
    "#   exit <code>                  the end of the process\n";

using Events = std::vector<std::string>;

// The progress window: notes when it is shown and hidden, and each move of its gauge.
class EventWindow : public platform::ProgressWindow {
 public:
  explicit EventWindow(Events& events) : events_(events) {}
  void Show() override { events_.push_back("window show"); }
  void Hide() override { events_.push_back("window hide"); }
  int GaugeWidth() const override { return 197; }
  int GaugeHeight() const override { return 19; }
  platform::Color WindowColor() const override { return 0xC0C0C0; }
  platform::TextMask GaugeText(const std::string&) override { return {}; }
  // The gauge is drawn when what it shows changes; a draw that shows the same number of steps
  // as the one before (the first, at 0) is no step.
  void DrawGauge(int, const platform::Bitmap&) override {
    const int progress = PictureShow->Progresso->Progress();
    if (progress != shown_) events_.push_back("step " + std::to_string(progress));
    shown_ = progress;
  }

 private:
  Events& events_;
  int shown_ = 0;
};

class EventScreen : public platform::RecordingScreen {
 public:
  explicit EventScreen(Events& events) : events_(events) {}
  void ProcessMessages() override {
    events_.push_back("pump");
    RecordingScreen::ProcessMessages();
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    events_.push_back("error " + text);
    RecordingScreen::ShowError(caption, text);
  }
  std::unique_ptr<platform::ProgressWindow> OpenProgressWindow(
      const platform::ProgressWindowLayout&) override {
    return std::make_unique<EventWindow>(events_);
  }

 private:
  Events& events_;
};

// Notes the folders asked for and the files deleted; files are written through the sink.
class EventFileSystem : public platform::FileSystemWrapper {
 public:
  EventFileSystem(platform::FileSystem& target, Events& events)
      : FileSystemWrapper(target), events_(events) {}
  platform::Status CreateDirectory(const std::string& path) override {
    platform::Status status = FileSystemWrapper::CreateDirectory(path);
    events_.push_back("mkdir " + path + (status.ok() ? "" : " failed: " + status.text()));
    return status;
  }
  platform::Status DeleteFile(const std::string& path) override {
    platform::Status status = FileSystemWrapper::DeleteFile(path);
    events_.push_back("delete " + path + (status.ok() ? "" : " failed: " + status.text()));
    return status;
  }

 private:
  Events& events_;
};

// Notes each write as `instalador --list` prints it, with the path as composed, and passes it
// on to the file sink.
class EventSink : public PictureSink {
 public:
  EventSink(PictureSink& next, Events& events) : next_(next), events_(events) {}
  void Write(const PlannedWrite& w, const forms::TGraphic& graphic) override {
    events_.push_back(w.path + "\t" + w.sheet + "\t" + w.routine + "\t" + w.component + "\t" +
                      w.slot + "\t" + std::to_string(w.size));
    next_.Write(w, graphic);
  }
  void Coming(const std::vector<forms::TGraphic>& graphics) override { next_.Coming(graphics); }

 private:
  PictureSink& next_;
  Events& events_;
};

// A line of the golden file with its line number.
struct Line {
  int number;
  std::string text;
};

std::vector<Line> ReadGolden(bool& found) {
  std::ifstream in(kGolden, std::ios::binary);
  found = static_cast<bool>(in);
  std::vector<Line> lines;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number)
    if (!text.starts_with("#")) lines.push_back({number, text});
  return lines;
}

int HeaderLines() {
  const std::string header = kHeader;
  return static_cast<int>(std::count(header.begin(), header.end(), '\n'));
}

// Where the run parts from the golden file: the lines between the beginning and the end the
// two have in common, a few of each with their line numbers in the file (the run's as they
// would stand in a file written from it), and two lines of what comes before.
std::string Difference(const std::vector<Line>& golden, const Events& run) {
  std::size_t front = 0;
  while (front < golden.size() && front < run.size() && golden[front].text == run[front]) ++front;
  std::size_t back = 0;
  while (back < golden.size() - front && back < run.size() - front &&
         golden[golden.size() - 1 - back].text == run[run.size() - 1 - back])
    ++back;
  const auto runNumber = [](std::size_t i) { return HeaderLines() + static_cast<int>(i) + 1; };
  constexpr std::size_t kShown = 8;
  std::ostringstream out;
  out << "the run differs from " << kGolden.string() << " (golden " << golden.size()
      << " events, run " << run.size() << "):\n";
  for (std::size_t i = front >= 2 ? front - 2 : 0; i < front; ++i)
    out << "  same   " << golden[i].number << ": " << golden[i].text << "\n";
  const std::size_t goldenEnd = golden.size() - back, runEnd = run.size() - back;
  for (std::size_t i = front; i < goldenEnd && i < front + kShown; ++i)
    out << "  golden " << golden[i].number << ": " << golden[i].text << "\n";
  if (goldenEnd - front > kShown) out << "  golden ... " << goldenEnd - front << " lines in all\n";
  for (std::size_t i = front; i < runEnd && i < front + kShown; ++i)
    out << "  run    " << runNumber(i) << ": " << run[i] << "\n";
  if (runEnd - front > kShown) out << "  run    ... " << runEnd - front << " lines in all\n";
  out << "If the change is meant, write the file again with VARNEL_UPDATE_GOLDEN=1 and review "
         "its diff.";
  return out.str();
}

TEST(WritePlanTest, CompleteRunIsTheGoldenPlan) {
  testing_support::TempDir tmp;
  // A fresh install root with the MySQL data folder and the marker file in place.
  fs::create_directories(tmp / "vexon7/txt");
  fs::create_directories(tmp / "mysql/data");
  testing_support::WriteText(tmp / "vexon7/txt/pict.txt", "x");

  Events events;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  EventFileSystem files(disk, events);
  EventScreen screen(events);
  FileSink fileSink(files);
  EventSink sink(fileSink, events);
  const InstallRoot root = InstallRoot::FromDirectory("d:\\vexon7");
  const int code =
      RunInstaller({files, root, screen, [](int c) { throw forms::ProcessExit{c}; }, &sink});
  events.push_back("exit " + std::to_string(code));

  // What holds for any complete run on a fresh root, golden file or not.
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(screen.errors.empty());
  EXPECT_FALSE(fs::exists(tmp / "vexon7/txt/pict.txt"));

  const char* update = std::getenv("VARNEL_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    fs::create_directories(kGolden.parent_path());
    std::ofstream out(kGolden, std::ios::binary | std::ios::trunc);
    out << kHeader;
    for (const std::string& event : events) out << event << '\n';
    out.close();
    ASSERT_TRUE(out) << "cannot write " << kGolden;
    std::cout << "Wrote " << events.size() << " events to " << kGolden.string() << "\n";
    return;
  }

  bool found = false;
  const std::vector<Line> golden = ReadGolden(found);
  ASSERT_TRUE(found) << "no golden file " << kGolden.string()
                     << "; write it with VARNEL_UPDATE_GOLDEN=1";
  const bool same =
      golden.size() == events.size() &&
      std::equal(golden.begin(), golden.end(), events.begin(),
                 [](const Line& line, const std::string& e) { return line.text == e; });
  EXPECT_TRUE(same) << Difference(golden, events);
}

}  // namespace
}  // namespace varnel

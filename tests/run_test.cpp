// The run's spine on a real file system: install root, folder preparation, exit code.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Menu.h"
#include "app/Proceda.h"
#include "app/Program.h"
#include "export/FrmVariaveis.h"
#include "export/InstallRoot.h"
#include "export/PictureFile.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/FaultFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "tests/TempDir.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using platform::FaultFileSystem;
using testing_support::TempDir;

std::vector<std::string> Texts(const std::vector<platform::RecordingScreen::ErrorBox>& boxes) {
  std::vector<std::string> out;
  for (const auto& box : boxes) out.push_back(box.text);
  return out;
}

struct Seen {
  std::string driveLocal, diretorioControl;
};

// A window front whose progress window cannot be created, when the test says so.
class TestScreen : public platform::RecordingScreen {
 public:
  bool progressWindowFails = false;
  std::unique_ptr<platform::ProgressWindow> OpenProgressWindow(
      const platform::ProgressWindowLayout& layout) override {
    if (progressWindowFails) throw forms::Exception("Error creating window");
    return RecordingScreen::OpenProgressWindow(layout);
  }
};

class RunTest : public ::testing::Test {
 protected:
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  FaultFileSystem files{disk};
  TestScreen screen;
  Seen seen;

  // Runs the installer from `folder` (below the temporary drive d:) and returns its exit code.
  int RunFrom(const fs::path& folder) {
    fs::create_directories(folder);
    EXPECT_EQ(::chdir(folder.c_str()), 0);
    screen.onPump = [this] {
      if (FormProceda == nullptr || seen.driveLocal.size()) return;
      seen = {FormProceda->DriveLocal->Text, FormProceda->DiretorioControl->Text};
    };
    std::string directory;
    EXPECT_TRUE(files.CurrentDirectory(directory).ok());
    const InstallRoot root = InstallRoot::FromDirectory(directory);
    return RunInstaller({files, root, screen, [](int code) { throw forms::ProcessExit{code}; }});
  }

  void ExpectTreeAt(const fs::path& root) {
    for (std::string_view folder : kEditionFolders)
      EXPECT_TRUE(fs::is_directory(root / "btn" / std::string(folder))) << folder;
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root / "btn")) ++count;
    EXPECT_EQ(count, kEditionFolders.size()) << "nothing else under btn";
  }

  std::vector<std::string> DirectoryRequests() const {
    std::vector<std::string> out;
    for (const std::string& line : files.Journal())
      if (line.rfind("CreateDirectory ", 0) == 0 || line.rfind("SetCurrentDirectory ", 0) == 0)
        out.push_back(line);
    return out;
  }
};

TEST_F(RunTest, InstallsTreeInOrderAndEndsWithZero) {
  fs::create_directories(tmp / "mysql/data/sistemas");
  EXPECT_EQ(RunFrom(tmp / "Sistemas/Vexon7"), 0);
  EXPECT_TRUE(screen.errors.empty());

  EXPECT_EQ(seen.driveLocal, "d:");
  EXPECT_EQ(seen.diretorioControl, "\\sistemas\\vexon7");

  std::vector<std::string> expected = {
      "CreateDirectory d:\\mysql\\data\\\\sistemas\\vexon7",
      "CreateDirectory d:\\mysql\\data\\\\sistemas\\vexon7tmp",
      "SetCurrentDirectory d:\\sistemas\\vexon7",
      "CreateDirectory d:\\sistemas\\vexon7\\btn",
  };
  for (std::string_view folder : kEditionFolders)
    expected.push_back("CreateDirectory d:\\sistemas\\vexon7\\btn\\" + std::string(folder));
  EXPECT_EQ(DirectoryRequests(), expected);

  EXPECT_TRUE(fs::is_directory(tmp / "mysql/data/sistemas/vexon7"));
  EXPECT_TRUE(fs::is_directory(tmp / "mysql/data/sistemas/vexon7tmp"));
  ExpectTreeAt(tmp / "Sistemas/Vexon7");
  EXPECT_FALSE(fs::exists(tmp / "sistemas")) << "existing folders are matched, not doubled";
}

TEST_F(RunTest, StartedFromTheProductSubfolder) {
  EXPECT_EQ(RunFrom(tmp / "vexon7/DedudoDevorud"), 0);
  EXPECT_EQ(seen.diretorioControl, "\\vexon7");
  ExpectTreeAt(tmp / "vexon7");
  EXPECT_FALSE(fs::exists(tmp / "vexon7/DedudoDevorud/btn"));
}

TEST_F(RunTest, SecondRunOverExistingTree) {
  fs::create_directories(tmp / "mysql/data");
  // The product files asked to be created from the journal's entry `from` on, and how many
  // files were put in place by a replace.
  const auto created = [&](std::size_t from) {
    std::vector<std::string> paths;
    for (std::size_t i = from; i < files.Journal().size(); ++i) {
      const std::string& call = files.Journal()[i];
      const std::string name = call.substr(call.find_last_of("\\/") + 1);
      if (call.starts_with("CreateFile ") && !varnel::IsTemporaryName(name)) paths.push_back(call);
    }
    return paths;
  };
  const auto replaced = [&](std::size_t from) {
    std::size_t n = 0;
    for (std::size_t i = from; i < files.Journal().size(); ++i)
      n += files.Journal()[i].starts_with("MoveReplace ");
    return n;
  };
  ASSERT_EQ(RunFrom(tmp / "vexon7"), 0);
  const std::vector<std::string> first = created(0);
  EXPECT_EQ(replaced(0), 0u) << "a fresh tree is written in place";
  const std::size_t mark = files.Journal().size();
  EXPECT_EQ(RunFrom(tmp / "vexon7"), 0);
  EXPECT_EQ(created(mark), first) << "every request is made again";
  EXPECT_EQ(replaced(mark), first.size()) << "every file is replaced, none rewritten in place";
  EXPECT_TRUE(screen.errors.empty());
  ExpectTreeAt(tmp / "vexon7");
}

TEST_F(RunTest, MissingMysqlDataFolderIsPassedOver) {
  EXPECT_EQ(RunFrom(tmp / "vexon7"), 0);
  EXPECT_FALSE(fs::exists(tmp / "mysql"));
  ExpectTreeAt(tmp / "vexon7");
}

TEST_F(RunTest, SeveralLevelsNeedTheirParentInTheDataFolder) {
  fs::create_directories(tmp / "mysql/data");
  EXPECT_EQ(RunFrom(tmp / "sistemas/vexon7"), 0);
  EXPECT_TRUE(fs::is_empty(tmp / "mysql/data")) << "mysql\\data\\sistemas is never created";
  ExpectTreeAt(tmp / "sistemas/vexon7");
}

TEST_F(RunTest, DriveRoot) {
  fs::create_directories(tmp / "mysql/data");
  EXPECT_EQ(RunFrom(tmp.path()), 0);
  EXPECT_EQ(seen.diretorioControl, "\\");
  // d:\mysql\data\\ is the data folder itself; "tmp" lands inside it.
  EXPECT_TRUE(fs::is_directory(tmp / "mysql/data/tmp"));
  ExpectTreeAt(tmp.path());
}

TEST_F(RunTest, EveryFailureOfThePreparationIsSilent) {
  // btn cannot be created: its 22 subfolders fail too, without a word. The first sheet's first
  // write then finds no folder: that is its one error box, and no later sheet runs.
  files.FailNth(FaultFileSystem::Op::kCreateDirectory, 3, platform::SysError::kAccessDenied);
  files.FailNth(FaultFileSystem::Op::kSetCurrentDirectory, 1, platform::SysError::kAccessDenied);
  EXPECT_EQ(RunFrom(tmp / "vexon7"), 1);
  EXPECT_EQ(Texts(screen.errors),
            std::vector<std::string>{"Cannot create file \"d:\\vexon7\\btn\\boletologo\\001.bmp\". "
                                     "The system cannot find the path specified."});
  EXPECT_FALSE(fs::exists(tmp / "vexon7/btn"));
  EXPECT_EQ(files.Calls(FaultFileSystem::Op::kCreateDirectory), 25);
}

// When the run cannot start (an error escapes the main form's creation), the error is shown,
// TVariaveis is created, and with a window front the "Instalador" and "FormProceda" windows stay
// up until the user closes one of them; the exit code tells of the error. The terminal front
// has no window to wait for and ends at once.
TEST_F(RunTest, RunThatCannotStartWaitsForTheUserOnAWindowFront) {
  struct Case {
    const char* closed;  // the window the user closes; null: the terminal front
  };
  for (const Case c : {Case{"Instalador"}, Case{"FormProceda"}, Case{nullptr}}) {
    SCOPED_TRACE(c.closed != nullptr ? c.closed : "terminal");
    screen = TestScreen();
    screen.progressWindowFails = true;
    screen.formWindows = c.closed != nullptr;
    int waits = 0;
    bool variaveis = false;
    std::vector<std::string> shownBeforeClose;
    screen.onWait = [&] {
      ++waits;
      variaveis = Variaveis != nullptr;
      for (const auto& window : screen.windows)
        if (window->shown) shownBeforeClose.push_back(window->layout.caption);
      screen.WindowCaptioned(c.closed)->RequestClose();
    };
    EXPECT_EQ(RunFrom(tmp / "vexon7"), 1);
    EXPECT_EQ(Texts(screen.errors), std::vector<std::string>{"Error creating window."});
    EXPECT_TRUE(fs::is_empty(tmp / "vexon7")) << "nothing is prepared or written";
    EXPECT_EQ(screen.loops, 1);
    if (c.closed == nullptr) {
      EXPECT_TRUE(screen.windows.empty());
      EXPECT_EQ(waits, 0);
      continue;
    }
    EXPECT_EQ(waits, 1) << "the loop waits until the close, and ends with it";
    EXPECT_TRUE(variaveis);
    EXPECT_EQ(shownBeforeClose, (std::vector<std::string>{"Instalador", "FormProceda"}));
    EXPECT_EQ(screen.WindowCaptioned("Variaveis"), nullptr) << "TVariaveis is never shown";

    // The main form's stored window.
    const platform::FormWindowLayout& menu = screen.WindowCaptioned("Instalador")->layout;
    EXPECT_TRUE(menu.clientSize);
    EXPECT_EQ(menu.width, 399);
    EXPECT_EQ(menu.height, 87);
    EXPECT_FALSE(menu.sizeable);
    EXPECT_TRUE(menu.systemMenu);
    EXPECT_FALSE(menu.minimizeButton);
    EXPECT_FALSE(menu.maximizeButton);
    EXPECT_TRUE(menu.stayOnTop);
    EXPECT_EQ(menu.placement, platform::FormWindowLayout::Placement::kDesktopCenter);
  }
}

}  // namespace
}  // namespace varnel

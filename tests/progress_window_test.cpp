// The progress window's side of the run: what the front end is told to show, when the gauge
// is drawn, the user's close request, and the terminal front's gauge line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <filesystem>

#include "export/RunContext.h"
#include "forms/Forms.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/terminal/TerminalScreen.h"
#include "run/GaugePaint.h"
#include "run/PicShow.h"
#include "tests/TempDir.h"

namespace varnel {
namespace {

constexpr platform::Color kWindowColor = 0x00C0FFEE & 0xFFFFFF;
constexpr platform::Color kFore = 6569500;

struct Drawn {
  int percent;
  platform::Bitmap pixels;
};

struct WindowRecord {
  platform::ProgressWindowLayout layout;
  std::vector<Drawn> drawn;
  int shows = 0;
  int hides = 0;
  bool destroyed = false;
  std::vector<std::string> texts;  // texts whose ink was asked for
};

class FakeWindow : public platform::ProgressWindow {
 public:
  explicit FakeWindow(WindowRecord& record) : record_(record) {}
  ~FakeWindow() override { record_.destroyed = true; }
  void Show() override { ++record_.shows; }
  void Hide() override { ++record_.hides; }
  int GaugeWidth() const override { return record_.layout.gaugeBounds.width; }
  int GaugeHeight() const override { return record_.layout.gaugeBounds.height; }
  platform::Color WindowColor() const override { return kWindowColor; }
  platform::TextMask GaugeText(const std::string& text) override {
    record_.texts.push_back(text);
    return {};
  }
  void DrawGauge(int percent, const platform::Bitmap& pixels) override {
    record_.drawn.push_back({percent, pixels});
  }

 private:
  WindowRecord& record_;
};

class FakeScreen : public platform::Screen {
 public:
  void ProcessMessages() override { ++pumps; }
  void ShowError(const std::string&, const std::string& text) override { errors.push_back(text); }
  void RunMessageLoop(const std::function<bool()>& terminated) override { terminated(); }
  std::unique_ptr<platform::ProgressWindow> OpenProgressWindow(
      const platform::ProgressWindowLayout& layout) override {
    windows.push_back(std::make_unique<WindowRecord>());
    windows.back()->layout = layout;
    return std::make_unique<FakeWindow>(*windows.back());
  }

  int pumps = 0;
  std::vector<std::string> errors;
  std::vector<std::unique_ptr<WindowRecord>> windows;
};

// Stands for the hidden form that is created first and so becomes the main form.
class MainStandIn : public forms::TForm {
 public:
  MainStandIn() : forms::TForm("FormProceda") {}
};

// What the progress window is created with: an install root d:\vexon7 on a temporary drive.
struct TestRun {
  testing_support::TempDir tmp;
  platform::PosixFileSystem files{{{'d', tmp.path().string()}}};
  const InstallRoot root = InstallRoot::FromDirectory("d:\\vexon7");
  PlanRecorder sink;
  const RunContext context{files, root, sink, ProgressStep};
};

// An application with the progress window created, as the main form's creation makes it.
class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.Title = "Varnel Configuração de ambiente";
    app_.CreateForm(main_);
    app_.CreateForm(PictureShow, run_.context);
  }
  void TearDown() override { app_.DestroyForms(); }
  WindowRecord& Window() { return *screen_.windows.at(0); }

  TestRun run_;
  FakeScreen screen_;
  MainStandIn* main_ = nullptr;
  forms::TApplication app_{screen_, [](int) {}};
};

int ForeColumns(const platform::Bitmap& pixels, int row) {
  int n = 0;
  for (int x = 0; x < pixels.width; ++x) n += pixels.At(x, row) == kFore;
  return n;
}

TEST_F(ProgressWindowTest, CreationOpensTheWindowLaidOutAndShowsItWithAnEmptyGauge) {
  ASSERT_EQ(screen_.windows.size(), 1u);
  const platform::ProgressWindowLayout& layout = Window().layout;
  EXPECT_EQ(layout.caption, "Instalador");
  EXPECT_EQ(layout.outerWidth, 377);
  EXPECT_EQ(layout.outerHeight, 149);
  EXPECT_EQ(layout.panelBevel, 1);
  EXPECT_EQ(layout.pictureWidth, 86);
  EXPECT_EQ(layout.labelText, "Instalando sistema Varnel");
  EXPECT_EQ(layout.labelFont.face, "Arial");
  EXPECT_EQ(layout.labelFont.pixelHeight, 16);
  EXPECT_TRUE(layout.labelFont.bold);
  EXPECT_EQ(layout.gaugePanelBevel, 3);
  EXPECT_EQ(layout.gaugeBounds.left, 3);
  EXPECT_EQ(layout.gaugeBounds.top, 3);
  EXPECT_EQ(layout.gaugeBounds.width, 197);
  EXPECT_EQ(layout.gaugeBounds.height, 19);
  EXPECT_EQ(layout.gaugeFont.face, "MS Sans Serif");
  EXPECT_EQ(layout.gaugeFont.pixelHeight, 12);

  EXPECT_TRUE(PictureShow->Visible);
  EXPECT_EQ(PictureShow->Progresso->MaxValue(), kProgressSteps);
  EXPECT_EQ(Window().shows, 1);
  ASSERT_EQ(Window().drawn.size(), 1u);
  const Drawn& first = Window().drawn[0];
  EXPECT_EQ(first.percent, 0);
  ASSERT_EQ(first.pixels.width, 197);
  ASSERT_EQ(first.pixels.height, 19);
  for (platform::Color c : first.pixels.pixels) ASSERT_EQ(c, kWindowColor);
  EXPECT_EQ(Window().texts, std::vector<std::string>{"0%"});
}

TEST_F(ProgressWindowTest, EveryStepDrawsTheGaugeAtOnceUntilTheLast) {
  const int pumpsBefore = screen_.pumps;
  for (int step = 1; step <= kProgressSteps; ++step) {
    ProgressStep();
    ASSERT_EQ(Window().drawn.size(), static_cast<std::size_t>(step + 1));
    const Drawn& now = Window().drawn.back();
    EXPECT_EQ(now.percent, GaugePercent(0, kProgressSteps, step));
    EXPECT_EQ(ForeColumns(now.pixels, 0), std::min(GaugeBarWidth(now.percent, 197), 197));
  }
  EXPECT_EQ(Window().drawn.back().percent, 100);
  EXPECT_EQ(ForeColumns(Window().drawn.back().pixels, 18), 197);
  ProgressStep();
  EXPECT_EQ(Window().drawn.size(), static_cast<std::size_t>(kProgressSteps + 1));
  EXPECT_EQ(screen_.pumps, pumpsBefore) << "drawing the gauge needs no message pump";
}

TEST_F(ProgressWindowTest, ExecutarPreparesTheTreeThenBringsTheShownWindowToTheFront) {
  std::filesystem::create_directories(run_.tmp / "vexon7");
  const int shows = Window().shows;
  PictureShow->Executar();
  EXPECT_GT(Window().shows, shows);
  EXPECT_EQ(screen_.windows.size(), 1u) << "no second window";
  EXPECT_TRUE(std::filesystem::is_directory(run_.tmp / "vexon7/btn/boletologo"))
      << "the folders are made under the run's own install root";
}

TEST_F(ProgressWindowTest, TheUsersCloseIsIgnoredWhileTheRunGoesOn) {
  TPictureShow* form = PictureShow;
  ASSERT_TRUE(Window().layout.caption == "Instalador");
  ASSERT_NE(form->Window(), nullptr);
  ASSERT_TRUE(form->Window()->OnCloseRequest);
  form->Window()->OnCloseRequest();
  app_.ProcessMessages();
  EXPECT_TRUE(app_.Owns(form));
  EXPECT_EQ(PictureShow, form);
  EXPECT_TRUE(form->Visible);
  EXPECT_EQ(Window().hides, 0);
  EXPECT_FALSE(Window().destroyed);
  ProgressStep();
  EXPECT_EQ(Window().drawn.back().percent, 2);
}

TEST_F(ProgressWindowTest, AStepAfterTheWindowIsReleasedTouchesNothing) {
  PictureShow->Close();  // the program's own close after the last sheet: release pending
  EXPECT_FALSE(Window().destroyed);
  app_.ProcessMessages();
  EXPECT_TRUE(Window().destroyed);
  EXPECT_EQ(PictureShow, nullptr);
  ProgressStep();  // under the sanitizers this would report a use after free
  EXPECT_EQ(Window().drawn.size(), 1u);
}

// The terminal front, through the same window: the output is read back from a temporary file.
std::string RunOnTerminal(bool inPlace, int steps, bool error) {
  std::FILE* out = std::tmpfile();
  {
    TestRun run;
    platform::TerminalScreen screen(out, inPlace);
    MainStandIn* main = nullptr;  // outlives the application, which clears it
    forms::TApplication app(screen, [](int) {});
    app.Title = "Varnel Configuração de ambiente";
    app.CreateForm(main);
    app.CreateForm(PictureShow, run.context);
    for (int i = 0; i < steps; ++i) ProgressStep();
    if (error) app.ShowException(forms::Exception("Stream write error"));
    ProgressStep();
  }
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  std::fclose(out);
  return text;
}

TEST(TerminalProgress, PrintsOneLinePerPercentageWhenNotATerminal) {
  const std::string text = RunOnTerminal(false, kProgressSteps + 2, false);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kProgressSteps + 1)) << text;
  EXPECT_EQ(lines[0], "Instalador [........................................]   0%");
  EXPECT_EQ(lines[1], "Instalador [........................................]   2%");
  EXPECT_EQ(lines[2], "Instalador [#.......................................]   4%");
  EXPECT_EQ(lines[23], "Instalador [#####################...................]  53%");
  EXPECT_EQ(lines[43], "Instalador [########################################] 100%");
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(TerminalProgress, RedrawsInPlaceOnATerminalAndEndsTheLineBeforeAnError) {
  const std::string text = RunOnTerminal(true, 1, true);
  EXPECT_EQ(text,
            "\rInstalador [........................................]   0%"
            "\rInstalador [........................................]   2%\n"
            "Varnel Configuração de ambiente: Stream write error.\n"
            "\rInstalador [#.......................................]   4%\n");
}

}  // namespace
}  // namespace varnel

// Shows the progress window on the machine's screen at a chosen progress step and keeps it up
// until a stop file appears, for the screenshot tests; or shows an error box over it and
// reports when the user has dismissed it. Builds for Linux and for Windows.
//
//   window_demo STOPFILE PICTURE.jpg steps N [nopump]
//       the gauge after N steps; "nopump" never processes window messages, so only the
//       gauge, which is drawn at once on each change, is on the screen
//   window_demo STOPFILE PICTURE.jpg error
//       an error box over the window, then "dismissed" and exit code 0
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/Program.h"
#include "export/RunContext.h"
#include "forms/Forms.h"
#include "platform/Native.h"
#include "platform/NativeScreen.h"
#include "run/PicShow.h"

namespace {

std::vector<std::uint8_t> picture;

class FirstForm : public forms::TForm {
 public:
  FirstForm() : forms::TForm("FormProceda") {}
};

// The progress window with the test's picture in place of the stored one.
class DemoShow : public varnel::TPictureShow {
 public:
  using TPictureShow::TPictureShow;

 protected:
  void LoadLayout() override {
    TPictureShow::LoadLayout();
    PictureJpeg = picture;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 3 ? argv[3] : "";
  if (mode != "steps" && mode != "error") {
    std::fprintf(stderr, "usage: window_demo STOPFILE PICTURE.jpg steps N [nopump] | error\n");
    return 2;
  }
  const std::filesystem::path stop = argv[1];
  std::ifstream in(argv[2], std::ios::binary);
  picture.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());

  auto fs = platform::MakeNativeFileSystem();
  auto screen = platform::MakeNativeScreen();
  // The window never prepares folders here: its context is not used. What the forms refer to
  // (their variables, the context) outlives the application, which clears and frees them.
  const varnel::InstallRoot root = varnel::InstallRoot::FromDirectory("c:\\vexon7");
  varnel::PlanRecorder sink;
  varnel::RunEvents events;
  const varnel::RunContext context{*fs, root, sink, nullptr, events};
  FirstForm* first = nullptr;
  DemoShow* show = nullptr;
  forms::TApplication app(*screen, [](int code) { std::exit(code); });
  app.Title = varnel::kApplicationTitle;
  app.CreateForm(first);
  app.CreateForm(show, context);
  const bool pump = !(argc > 5 && std::strcmp(argv[5], "nopump") == 0);
  if (pump) app.ProcessMessages();

  if (mode == "error") {
    app.ShowException(
        forms::Exception("Cannot create file \"c:\\vexon7\\btn\\pet\\fundo.jpg\". "
                         "Access is denied"));
    std::printf("dismissed\n");
    std::fflush(stdout);
    return 0;
  }

  const int steps = argc > 4 ? std::atoi(argv[4]) : 0;
  for (int i = 0; i < steps; ++i) {
    show->Progresso->AddProgress(1);
    if (pump) app.ProcessMessages();
  }
  std::printf("ready %d%%\n", show->Progresso->PercentDone());
  std::fflush(stdout);
  while (!std::filesystem::exists(stop)) {
    if (pump) app.ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

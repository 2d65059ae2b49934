// Shows the progress window on the machine's screen at a chosen progress step and keeps it up
// until its standard input ends, for the screenshot tests; or shows an error box over it and
// reports when the user has dismissed it.
//
//   window_demo steps N [nopump]   the gauge after N steps; "nopump" never processes messages
//                                   after the window is shown, so only the gauge is drawn
//   window_demo error               an error box over the window, then "dismissed" and exit 0
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "app/Program.h"
#include "forms/Forms.h"
#include "platform/NativeScreen.h"
#include "platform/posix/PosixFileSystem.h"
#include "run/PicShow.h"

namespace {

// A picture of the stored picture's size: red above, blue below, so a screenshot shows
// whether it was decoded, placed and stretched.
std::vector<std::uint8_t> TestPicture() {
  constexpr int kWidth = 86, kHeight = 115;
  std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t* p = &rgb[static_cast<std::size_t>((y * kWidth + x) * 3)];
      p[0] = y < kHeight / 2 ? 230 : 20;
      p[1] = 20;
      p[2] = y < kHeight / 2 ? 20 : 230;
    }
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[static_cast<std::size_t>(info.next_scanline) * kWidth * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> bytes(out, out + size);
  std::free(out);
  return bytes;
}

const std::vector<std::uint8_t>& Picture() {
  static const std::vector<std::uint8_t> bytes = TestPicture();
  return bytes;
}

class FirstForm : public forms::TForm {
 public:
  FirstForm() : forms::TForm("FormProceda") {}
};

// The progress window with the test picture in place of the stored one.
class DemoShow : public varnel::TPictureShow {
 protected:
  void LoadLayout() override {
    TPictureShow::LoadLayout();
    PictureJpeg = Picture();
  }
};

bool StdinEnded(int timeoutMs) {
  pollfd fd{STDIN_FILENO, POLLIN, 0};
  if (poll(&fd, 1, timeoutMs) <= 0) return false;
  char buffer[256];
  return read(STDIN_FILENO, buffer, sizeof buffer) <= 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode != "steps" && mode != "error") {
    std::fprintf(stderr, "usage: window_demo steps N [nopump] | error\n");
    return 2;
  }
  platform::PosixFileSystem fs;
  auto screen = platform::MakeNativeScreen();
  forms::TApplication app(fs, *screen, [](int code) { std::exit(code); });
  forms::Application = &app;
  app.Title = varnel::kApplicationTitle;
  FirstForm* first = nullptr;
  app.CreateForm(first);
  DemoShow* show = nullptr;
  app.CreateForm(show);
  varnel::PictureShow = show;
  app.ProcessMessages();

  if (mode == "error") {
    app.ShowException(forms::Exception("Cannot create file \"c:\\vexon7\\btn\\pet\\fundo.jpg\". "
                                       "Access is denied"));
    std::printf("dismissed\n");
    std::fflush(stdout);
    return 0;
  }

  const int steps = argc > 2 ? std::atoi(argv[2]) : 0;
  const bool pump = !(argc > 3 && std::strcmp(argv[3], "nopump") == 0);
  for (int i = 0; i < steps; ++i) {
    varnel::ProgressStep();
    if (pump) app.ProcessMessages();
  }
  std::printf("ready %d%%\n", show->Progresso->PercentDone());
  std::fflush(stdout);
  while (!StdinEnded(pump ? 20 : 1000))
    if (pump) app.ProcessMessages();
  return 0;
}

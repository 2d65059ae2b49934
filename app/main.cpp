// instalador: lays down the Varnel product's button images under the install root.
#include "app/Program.h"
#include "platform/Native.h"
#include "platform/Process.h"
#include "platform/terminal/TerminalScreen.h"

int main() {
  auto fs = platform::MakeNativeFileSystem();
  platform::TerminalScreen screen;
  return varnel::RunInstaller(*fs, screen, [](int code) { platform::ExitProcess(code); });
}

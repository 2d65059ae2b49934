// instalador: lays down the Varnel product's button images under the install root.
#include "app/Program.h"
#include "platform/Native.h"
#include "platform/NativeScreen.h"
#include "platform/Process.h"

int main() {
  auto fs = platform::MakeNativeFileSystem();
  auto screen = platform::MakeNativeScreen();
  return varnel::RunInstaller(*fs, *screen, [](int code) { platform::ExitProcess(code); });
}

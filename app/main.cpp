// instalador: lays down the Varnel product's button images under the install root.
#include <cstdio>
#include <string>
#include <vector>

#include "ProgramInfo.h"
#include "app/Menu.h"
#include "app/Options.h"
#include "app/Plan.h"
#include "app/Program.h"
#include "platform/InstanceLock.h"
#include "platform/Native.h"
#include "platform/NativeScreen.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options = varnel::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options || options->mode != varnel::Mode::kInstall || options->silent)
    platform::UseParentConsole();
  if (!options) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return varnel::kUsageExitCode;
  }
  switch (options->mode) {
    case varnel::Mode::kHelp:
      std::fputs(varnel::HelpText().c_str(), stdout);
      return 0;
    case varnel::Mode::kVersion:
      std::printf("instalador %s\n%s\n", VARNEL_VERSION, VARNEL_COPYRIGHT);
      return 0;
    default:
      break;
  }

  auto fs = platform::MakeNativeFileSystem();
  if (options->mode == varnel::Mode::kList) return varnel::ListPlan(*fs, stdout, stderr);
  if (options->mode == varnel::Mode::kVerify) return varnel::VerifyTree(*fs, stdout, stderr);

  auto screen = platform::MakeNativeScreen(/*window=*/!options->silent);
  // One installation at a time on an install root; a second one writes nothing.
  const varnel::InstallRoot root = varnel::InstallRootFromDirectory(fs->CurrentDirectory());
  const auto lock = platform::LockInstallRoot(root.drive + root.directory);
  if (!lock) {
    screen->ShowError(
        varnel::kApplicationTitle,
        "An installation is already running in " + fs->FullPath(root.drive + root.directory) + ".");
    return 1;
  }
  return varnel::RunInstaller(*fs, *screen, [](int code) { platform::ExitProcess(code); });
}

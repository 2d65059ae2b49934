// instalador: lays down the Varnel product's button images under the install root.
#include <cstdio>
#include <string>
#include <vector>

#include "app/Options.h"
#include "app/Plan.h"
#include "app/Program.h"
#include "platform/InstanceLock.h"
#include "platform/Native.h"
#include "platform/NativeScreen.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
  // A closed output pipe loses the progress and messages, never the installation.
  platform::IgnoreBrokenPipes();
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
      std::printf("instalador %s\n", VARNEL_VERSION);
      return 0;
    default:
      break;
  }

  auto files = platform::MakeNativeFileSystem();
  // The install root, worked out once from the current directory. A folder that cannot be
  // read (deleted under the process) must never become the file system's root.
  std::string directory;
  if (const platform::Status read = files->CurrentDirectory(directory); !read.ok()) {
    std::fprintf(stderr, "Cannot read the current folder: %s\n", read.text().c_str());
    return 1;
  }
  const varnel::InstallRoot root = varnel::InstallRoot::FromDirectory(directory);
  if (options->mode == varnel::Mode::kList) return varnel::ListPlan(*files, root, stdout, stderr);
  if (options->mode == varnel::Mode::kVerify)
    return varnel::VerifyTree(*files, root, stdout, stderr);

  auto screen = platform::MakeNativeScreen(/*window=*/!options->silent);
  // One installation at a time on an install root; a second one writes nothing.
  auto lock = platform::LockInstallRoot(root.Folder());
  if (lock.outcome == platform::RootLock::Outcome::kHeld) {
    screen->ShowError(varnel::kApplicationTitle, "An installation is already running in " +
                                                     files->FullPath(root.Folder()) + ".");
    return 1;
  }
  // Not locked for another reason: going on could work beside another run.
  if (lock.outcome != platform::RootLock::Outcome::kTaken) {
    screen->ShowError(
        varnel::kApplicationTitle,
        "Cannot lock the install root " + files->FullPath(root.Folder()) + ": " + lock.reason);
    return 1;
  }
  // The lock is given up (its file deleted) before the process ends.
  return varnel::RunInstaller({*files, root, *screen, [&lock](int code) {
                                 lock.lock.reset();
                                 platform::ExitProcess(code);
                               }});
}

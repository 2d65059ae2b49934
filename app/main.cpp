// instalador: lays down the Varnel product's button images under the install root.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ProgramInfo.h"
#include "app/Options.h"
#include "app/Plan.h"
#include "app/Program.h"
#include "app/Root.h"
#include "app/RunRecord.h"
#include "platform/InstanceLock.h"
#include "platform/Native.h"
#include "platform/NativeScreen.h"
#include "platform/Process.h"
#include "platform/System.h"

namespace {

// The log file's path: the one given, or instalador.log in the temporary folder.
std::string LogPath(const std::string& given) {
  if (!given.empty()) return given;
  std::string folder = platform::TemporaryFolder();
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '/';
  return folder + "instalador.log";
}

}  // namespace

int main(int argc, char** argv) {
  // A closed output pipe loses the progress and messages, never the installation.
  platform::IgnoreBrokenPipes();
  const std::vector<std::string> args = platform::CommandLineArguments(argc, argv);
  std::string error;
  auto options = varnel::ParseOptions(args, error);
  if (!options) {
    platform::UseParentConsole();
    std::fprintf(stderr, "%s\n", error.c_str());
    return varnel::kUsageExitCode;
  }
  const bool install = options->mode == varnel::Mode::kInstall;
  // Where nobody could see a window or answer an error box, the run is a silent one.
  std::string unattended;
  if (install && !options->silent && !platform::InteractiveSession(unattended))
    options->silent = true;
  else
    unattended.clear();
  if (!install || options->silent) platform::UseParentConsole();
  switch (options->mode) {
    case varnel::Mode::kHelp:
      std::fputs(varnel::HelpText().c_str(), stdout);
      return varnel::kExitDone;
    case varnel::Mode::kVersion:
      std::printf("instalador %s\n%s\n", VARNEL_VERSION, VARNEL_COPYRIGHT);
      return varnel::kExitDone;
    default:
      break;
  }

  auto files = platform::MakeNativeFileSystem();
  std::unique_ptr<platform::Screen> screen;
  if (install) screen = platform::MakeNativeScreen(/*window=*/!options->silent);
  // A message before the run starts: in the error box of an installation, else on stderr.
  const auto tell = [&](const std::string& text) {
    if (screen)
      screen->ShowError(varnel::kApplicationTitle, text);
    else
      std::fprintf(stderr, "%s\n", text.c_str());
  };

  varnel::RunRecord record(*files);
  if (options->log) {
    const std::string path = LogPath(*options->log);
    if (const platform::Status opened = record.OpenLog(path); !opened.ok()) {
      tell("Cannot open the log file \"" + files->FullPath(path) + "\": " + opened.text() +
           " Nothing was installed.");
      return varnel::kExitError;
    }
  }
  record.Note("start: instalador " + std::string(VARNEL_VERSION) + ", arguments " +
              varnel::DescribeArguments(args) + ", user " + platform::UserName() + ", machine " +
              platform::MachineName());
  if (!unattended.empty()) record.Note("unattended (" + unattended + "): running as --silent");
  const auto fail = [&](const std::string& text, int code) {
    tell(text);
    record.Note("error: " + text);
    record.Finish(code);
    return code;
  };

  const std::optional<varnel::InstallRoot> root =
      varnel::ChooseInstallRoot(*files, options->root, error);
  if (!root) return fail(error, varnel::kExitError);
  record.Note("install root " + files->FullPath(root->Folder()) +
              (options->root ? " (given)" : " (the current folder)"));

  if (!install) {
    const int code = options->mode == varnel::Mode::kList
                         ? varnel::ListPlan(*files, *root, stdout, stderr)
                         : varnel::VerifyTree(*files, *root, stdout, stderr);
    record.Finish(code);
    return code;
  }

  // One installation at a time on an install root; a second one writes nothing and asks the
  // deployment tool to try again later.
  auto lock = platform::LockInstallRoot(root->Folder());
  if (lock.outcome == platform::RootLock::Outcome::kHeld)
    return fail("Another installation is running in " + files->FullPath(root->Folder()) +
                    ". Nothing was installed; try again when it has ended.",
                varnel::kExitAnotherInstallation);
  // Not locked for another reason: going on could work beside another run.
  if (lock.outcome != platform::RootLock::Outcome::kTaken)
    return fail("Cannot lock the install root " + files->FullPath(root->Folder()) + ": " +
                    lock.reason + " Nothing was installed.",
                varnel::kExitError);
  // The lock is given up (its file deleted) and the log closed before the process ends.
  return varnel::RunInstaller({*files, *root, *screen,
                               [&lock, &record](int code) {
                                 lock.lock.reset();
                                 record.Finish(code);
                                 platform::ExitProcess(code);
                               },
                               nullptr, &record});
}

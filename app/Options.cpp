#include "app/Options.h"

namespace varnel {

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool modeGiven = false;
  for (const std::string& arg : args) {
    Mode mode = Mode::kInstall;
    if (arg == "--silent") {
      options.silent = true;
      continue;
    } else if (arg == "--list") {
      mode = Mode::kList;
    } else if (arg == "--verify") {
      mode = Mode::kVerify;
    } else if (arg == "--help" || arg == "-h" || arg == "/?") {
      // As GNU tools do: the help and the version are answered whatever follows them.
      options.mode = Mode::kHelp;
      return options;
    } else if (arg == "--version") {
      options.mode = Mode::kVersion;
      return options;
    } else {
      error = "Unknown argument \"" + arg + "\". Run instalador --help to see the options.";
      return std::nullopt;
    }
    if (modeGiven && mode != options.mode) {
      error = "Give only one of --list and --verify.";
      return std::nullopt;
    }
    options.mode = mode;
    modeGiven = true;
  }
  return options;
}

std::string HelpText() {
  return "Usage: instalador [--silent | --list | --verify | --help | --version]\n"
         "\n"
         "Installs the Varnel system's button images under the install root: the current\n"
         "folder, or its parent when started from the dedudodevorud subfolder.\n"
         "\n"
         "  (no option)  install, showing the progress window; errors in an error box\n"
         "  --silent     install without window or error box; progress and errors on stderr\n"
         "  --verify     compare the installed tree with what an installation writes; list\n"
         "               each file missing, different or extra; writes nothing\n"
         "  --list       print the write plan: path, sheet, routine, component, slot and size\n"
         "               of every write, tab-separated, in order; writes nothing\n"
         "  --help       this text\n"
         "  --version    the program's version\n"
         "\n"
         "Exit codes: 0 done (or tree as installed), 1 an error was reported, the tree differs,\n"
         "or another installation is running on the same install root, 2 unknown argument.\n";
}

}  // namespace varnel

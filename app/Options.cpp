#include "app/Options.h"

#include <string_view>

#include "platform/Text.h"

namespace varnel {

namespace {

// An installer-style switch: "/" and a name matched without regard to case, with "=value"
// when `value` is asked for.
bool Switch(std::string_view arg, std::string_view name) {
  return arg.size() == name.size() + 1 && arg[0] == '/' &&
         platform::EqualsIgnoreAsciiCase(arg.substr(1), name);
}
bool SwitchWithValue(std::string_view arg, std::string_view name, std::string& value) {
  if (arg.size() < name.size() + 2 || arg[0] != '/' || arg[name.size() + 1] != '=' ||
      !platform::EqualsIgnoreAsciiCase(arg.substr(1, name.size()), name))
    return false;
  value = std::string(arg.substr(name.size() + 2));
  return true;
}

// "--name VALUE" or "--name=VALUE"; moves `i` past the value.
enum class Valued { kNo, kYes, kMissing };
Valued LongWithValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                     std::string& value) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) return Valued::kMissing;
    value = args[++i];
    return Valued::kYes;
  }
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return Valued::kYes;
  }
  return Valued::kNo;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool modeGiven = false;
  const auto setMode = [&](Mode mode) {
    if (modeGiven && mode != options.mode) {
      error = "Give only one of --list and --verify.";
      return false;
    }
    options.mode = mode;
    modeGiven = true;
    return true;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    if (arg == "--silent" || Switch(arg, "SILENT") || Switch(arg, "VERYSILENT") ||
        Switch(arg, "SUPPRESSMSGBOXES") || Switch(arg, "S") || Switch(arg, "QN")) {
      options.silent = true;
    } else if (Switch(arg, "NORESTART")) {
      // Nothing here ever asks for a restart.
    } else if (arg == "--list") {
      if (!setMode(Mode::kList)) return std::nullopt;
    } else if (arg == "--verify") {
      if (!setMode(Mode::kVerify)) return std::nullopt;
    } else if (arg == "--help" || arg == "-h" || Switch(arg, "?") || Switch(arg, "HELP")) {
      options.mode = Mode::kHelp;
      return options;  // what follows is not looked at
    } else if (arg == "--version") {
      options.mode = Mode::kVersion;
      return options;
    } else if (const Valued root = LongWithValue(args, i, "--root", value); root != Valued::kNo) {
      if (root == Valued::kMissing || value.empty()) {
        error = "--root needs a folder: --root PATH.";
        return std::nullopt;
      }
      options.root = value;
    } else if (SwitchWithValue(arg, "DIR", value)) {
      if (value.empty()) {
        error = "/DIR= needs a folder: /DIR=PATH.";
        return std::nullopt;
      }
      options.root = value;
    } else if (const Valued log = LongWithValue(args, i, "--log", value); log != Valued::kNo) {
      if (log == Valued::kMissing || value.empty()) {
        error = "--log needs a file: --log FILE.";
        return std::nullopt;
      }
      options.log = value;
    } else if (SwitchWithValue(arg, "LOG", value)) {
      options.log = value;  // "/LOG=" alone: the default log, as "/LOG"
    } else if (Switch(arg, "LOG")) {
      options.log = std::string();
    } else {
      error = "Unknown argument \"" + arg + "\". Run instalador --help to see the options.";
      return std::nullopt;
    }
  }
  return options;
}

std::string HelpText() {
  return std::string(
             "Usage: instalador [--silent] [--root FOLDER] [--log FILE] [--list | --verify]\n"
             "       instalador --help | --version\n"
             "\n"
             "Installs the Varnel system's button images under the install root: the current\n"
             "folder, or its parent when started from the dedudodevorud subfolder.\n"
             "\n"
             "  (no option)    install, showing the progress window; errors in an error box\n"
             "  --silent       install without window or error box; progress and errors on\n"
             "                 stderr\n"
             "  --root FOLDER  install into FOLDER (or the product folder above its\n"
             "                 dedudodevorud subfolder) instead of the current folder\n"
             "  --log FILE     append a record of the run to FILE (UTF-8, one line per event)\n"
             "  --verify       compare the installed tree with what an installation writes; list\n"
             "                 each file missing, different or extra; writes nothing\n"
             "  --list         print the write plan: path, sheet, routine, component, slot and\n"
             "                 size of every write, tab-separated, in order; writes nothing\n"
             "  --help         this text\n"
             "  --version      the program's version\n"
             "\n"
             "Switches of installer templates, in any letter case: /SILENT, /VERYSILENT,\n"
             "/SUPPRESSMSGBOXES, /S and /QN are --silent; /DIR=FOLDER is --root; /LOG=FILE is\n"
             "--log, and /LOG alone writes instalador.log in the temporary folder; /? and /HELP\n"
             "are --help; /NORESTART is accepted and changes nothing.\n"
             "\n"
             "Exit codes: 0 done (or tree as installed); 1 an error was reported (what could be\n"
             "installed was installed), the tree differs, or the install root cannot be used;\n"
             "2 unknown argument; ") +
         std::to_string(kExitAnotherInstallation) +
         " another installation is running on the same install root\n"
         "(try again later).\n";
}

std::string DescribeArguments(const std::vector<std::string>& args) {
  if (args.empty()) return "(none)";
  std::string out;
  for (const std::string& arg : args) {
    if (!out.empty()) out += ' ';
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
      out += arg;
      continue;
    }
    out += '"';
    for (char c : arg) {
      if (c == '"') out += '\\';
      out += c;
    }
    out += '"';
  }
  return out;
}

}  // namespace varnel

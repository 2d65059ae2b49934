// The command line. Without arguments the installer does its one job; the options are for
// technicians: an unattended run, a check of an installed tree, and the write plan.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

enum class Mode { kInstall, kList, kVerify, kHelp, kVersion };

struct Options {
  Mode mode = Mode::kInstall;
  bool silent = false;  // no window and no error box; progress and errors on stderr
};

// Exit code for a command line the program does not understand.
inline constexpr int kUsageExitCode = 2;

// The options, or nothing with `error` set to a message for the user.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// The text of --help.
std::string HelpText();

}  // namespace varnel

// The command line. Without arguments the installer does its one job; the options are for
// technicians and deployment tools: an unattended run, an install root and a log chosen on
// purpose, a check of an installed tree, and the write plan. The switches that installer
// templates of deployment tools pass (/VERYSILENT, /DIR=, /LOG=, ...) are understood too.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnel {

enum class Mode { kInstall, kList, kVerify, kHelp, kVersion };

struct Options {
  Mode mode = Mode::kInstall;
  bool silent = false;  // no window and no error box; progress and errors on stderr
  // The folder to install into, taken as the current folder would be; none: the current folder.
  std::optional<std::string> root;
  // The log file; an empty text asks for instalador.log in the temporary folder.
  std::optional<std::string> log;
};

// Exit codes: what deployment tools read.
inline constexpr int kExitDone = 0;
inline constexpr int kExitError = 1;  // an error was reported; what could be installed was
inline constexpr int kUsageExitCode = 2;
// Another installation is running on the same install root: "try again later", in the code
// each system's tools read that way: 1618 as Windows Installer and deployment tools know it;
// on Linux, where exit codes have 8 bits, 75 (EX_TEMPFAIL of sysexits.h).
#if defined(_WIN32)
inline constexpr int kExitAnotherInstallation = 1618;
#else
inline constexpr int kExitAnotherInstallation = 75;
#endif

// The options, or nothing with `error` set to a message for the user. Arguments after --help
// or --version are not looked at.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// The text of --help.
std::string HelpText();

// The options as the log records them (the words of the command line, quoted where needed).
std::string DescribeArguments(const std::vector<std::string>& args);

}  // namespace varnel

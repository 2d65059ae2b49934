// What the program asks of the operating system about where and how it runs: its command line,
// who runs it on which machine, the temporary folder, whether anyone can see a window, and
// which folders belong to the system itself.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The program's arguments as UTF-8, without the program's name. On Windows they are read from
// the wide command line, so any folder name arrives whole whatever the ANSI code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The account running the program and the machine's name; "?" when the system cannot say.
std::string UserName();
std::string MachineName();

// The folder for temporary files (%TEMP%, $TMPDIR or /tmp), as a path the native file system
// takes.
std::string TemporaryFolder();

// Whether someone can see and answer a window: false in a service or session 0, under a
// deployment agent running as SYSTEM, or without a display on Linux, with `why` saying so.
bool InteractiveSession(std::string& why);

// Whether `folder`, a full path in the native file system's Windows form, is one of the
// operating system's own folders or lies inside one: the Windows folder on Windows; "/",
// /usr, /etc, /bin, /sbin, /lib*, /boot, /proc, /sys, /dev (but /dev/shm, scratch space like
// /tmp) and /run on Linux.
bool IsSystemFolder(const std::string& folder);

}  // namespace platform

// Where a run installs: the install root worked out from a folder given on the command line or
// from the current folder, and the folders that are never taken for the product's folder.
#pragma once

#include <optional>
#include <string>

#include "export/InstallRoot.h"
#include "platform/FileSystem.h"

namespace varnel {

// The install root of `given` (a folder named on purpose, made absolute) or, without one, of
// the current folder. Nothing, with `error` set to a message for the user, when the folder
// given does not exist or is not a folder, when the current folder cannot be read, or when the
// current folder is one of the operating system's own (a deployment tool that starts the
// program in C:\Windows\System32 must not fill it). A folder given on purpose is honoured
// wherever it is.
std::optional<InstallRoot> ChooseInstallRoot(platform::FileSystem& files,
                                             const std::optional<std::string>& given,
                                             std::string& error);

}  // namespace varnel

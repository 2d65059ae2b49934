#include "app/Root.h"

#include <vector>

#include "platform/System.h"

namespace varnel {

std::optional<InstallRoot> ChooseInstallRoot(platform::FileSystem& files,
                                             const std::optional<std::string>& given,
                                             std::string& error) {
  if (given) {
    const std::string folder = files.FullPath(*given);
    std::vector<std::string> names;
    switch (files.Inspect(folder).kind) {
      case platform::PathKind::kDirectory:
        return InstallRoot::FromDirectory(folder);
      case platform::PathKind::kLink:
        // The install root itself may be reached through a link to a folder.
        if (files.ListDirectory(folder, names).ok()) return InstallRoot::FromDirectory(folder);
        [[fallthrough]];
      case platform::PathKind::kFile:
      case platform::PathKind::kOther:
        error = "The install root \"" + folder + "\" is not a folder. Nothing was installed.";
        return std::nullopt;
      case platform::PathKind::kMissing:
        error = "The install root \"" + folder + "\" does not exist. Nothing was installed.";
        return std::nullopt;
    }
  }
  std::string directory;
  if (const platform::Status read = files.CurrentDirectory(directory); !read.ok()) {
    error = "Cannot read the current folder: " + read.text();
    return std::nullopt;
  }
  InstallRoot root = InstallRoot::FromDirectory(directory);
  if (platform::IsSystemFolder(files.FullPath(root.Folder()))) {
    error = files.FullPath(root.Folder()) +
            " is a folder of the operating system, not the product's folder; nothing was "
            "installed. Start instalador from the product's folder, or give --root.";
    return std::nullopt;
  }
  return root;
}

}  // namespace varnel

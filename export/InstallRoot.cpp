#include "export/InstallRoot.h"

#include "platform/Text.h"

namespace varnel {

namespace {
// The product's subfolder from which the installer may also be started.
constexpr std::string_view kMarker = "vexon7\\dedudodevorud";
constexpr std::size_t kMarkerKeep = 6;  // the "vexon7" of the marker stays in the root
}  // namespace

InstallRoot InstallRoot::FromDirectory(std::string_view directory) {
  std::string s = platform::LowerAscii(directory);
  std::string drive = s.substr(0, 2);
  if (auto at = s.find(kMarker); at != std::string::npos) s.resize(at + kMarkerKeep);
  return InstallRoot(std::move(drive), s.size() > 2 ? s.substr(2) : std::string());
}

}  // namespace varnel

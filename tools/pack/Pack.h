// Turns a parsed layout and its art into the binary picture store of export/StoreFormat.h.
// Build-time code: errors are PackError with a message that names the layout file and line,
// or the art file, and what is wrong.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/layout/Layout.h"

namespace pack {

class PackError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of one picture and where they came from (a file path, or "generated").
struct Art {
  std::vector<std::uint8_t> bytes;
  std::string origin;
};

// Gives the art of one picture slot of one component.
using ArtSource =
    std::function<Art(const layout::Layout&, const layout::Component&, const layout::PictureSlot&)>;

// Checks that `art` is what `slot` states: encoding, pixel size and, for a bitmap, depth and
// the stored BMP form; a JPEG is also decoded whole with libjpeg-turbo.
void CheckArt(const Art& art, const layout::Layout& layout, const layout::PictureSlot& slot);

// Decodes a JPEG stream with libjpeg-turbo; the reason it cannot, or nothing. Fills the size.
std::optional<std::string> DecodeJpeg(const std::vector<std::uint8_t>& bytes, int& width,
                                      int& height);

// The store of `layout`, every picture taken from `art` and checked. Identical picture bytes
// are stored once.
std::vector<std::uint8_t> BuildStore(const layout::Layout& layout, const ArtSource& art);

// The real-art file of a slot in `folder`: <folder>/<form class>/<art name>.<slot>.bmp, .jpg
// or .jpeg, every name compared without regard to ASCII case. Nothing when there is none.
std::optional<std::string> FindRealArt(const std::string& folder, const std::string& formClass,
                                       const std::string& artName, const std::string& slot);

std::vector<std::uint8_t> ReadFile(const std::string& path);

}  // namespace pack

#include "platform/fltk/ProgramIcon.h"

#include <cstddef>
#include <utility>

namespace platform {

namespace {

std::uint32_t Le(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

constexpr std::size_t kHeader = 6;
constexpr std::size_t kEntry = 16;
constexpr std::size_t kBitmapHeader = 40;

// One entry's image: a BITMAPINFOHEADER of 32 bits a pixel without compression, the colour
// rows bottom-up in blue, green, red, alpha, then the 1-bit mask rows (not needed: the alpha
// says the same). Empty when the bytes are not that.
IconImage ReadBitmap(std::span<const std::uint8_t> dib, int size) {
  if (dib.size() < kBitmapHeader || Le(dib, 0, 4) != kBitmapHeader) return {};
  if (Le(dib, 4, 4) != static_cast<std::uint32_t>(size) ||
      Le(dib, 8, 4) != static_cast<std::uint32_t>(2 * size) || Le(dib, 14, 2) != 32 ||
      Le(dib, 16, 4) != 0)
    return {};
  const std::size_t pixels = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
  if (dib.size() - kBitmapHeader < pixels * 4) return {};
  IconImage image{size, std::vector<std::uint8_t>(pixels * 4)};
  for (int y = 0; y < size; ++y) {
    const std::uint8_t* from =
        dib.data() + kBitmapHeader +
        static_cast<std::size_t>(size - 1 - y) * static_cast<std::size_t>(size) * 4;
    std::uint8_t* to =
        image.rgba.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(size) * 4;
    for (int x = 0; x < size; ++x, from += 4, to += 4) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
      to[3] = from[3];
    }
  }
  return image;
}

}  // namespace

// The icon file's bytes, put in by the build (cmake/Artefact.cmake).
extern "C" {
extern const std::uint8_t varnel_program_icon_begin[];
extern const std::uint8_t varnel_program_icon_end[];
}

std::span<const std::uint8_t> ProgramIconFile() {
  return {varnel_program_icon_begin, varnel_program_icon_end};
}

std::vector<IconImage> ReadIconBitmaps(std::span<const std::uint8_t> ico) {
  std::vector<IconImage> images;
  if (ico.size() < kHeader || Le(ico, 0, 2) != 0 || Le(ico, 2, 2) != 1) return images;
  const std::size_t count = Le(ico, 4, 2);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeader + i * kEntry;
    if (ico.size() - entry < kEntry) break;
    // A width of 0 means 256, which icon files keep as PNG.
    const int size = ico[entry];
    if (size == 0 || ico[entry + 1] != size || Le(ico, entry + 6, 2) != 32) continue;
    const std::size_t length = Le(ico, entry + 8, 4);
    const std::size_t offset = Le(ico, entry + 12, 4);
    if (offset > ico.size() || length > ico.size() - offset) continue;
    IconImage image = ReadBitmap(ico.subspan(offset, length), size);
    if (image.size != 0) images.push_back(std::move(image));
  }
  return images;
}

}  // namespace platform

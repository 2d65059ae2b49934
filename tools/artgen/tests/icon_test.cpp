// The program's icon file: read back as Windows reads it, entry by entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <libdeflate.h>

#include "tools/artgen/Icon.h"

namespace artgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le(const Bytes& b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}
std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return (b.at(at) << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) | b.at(at + 3);
}

// Pixel (x, y) of an image as RGBA.
std::array<std::uint8_t, 4> Pixel(const RgbaImage& image, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.rgba[i], image.rgba[i + 1], image.rgba[i + 2], image.rgba[i + 3]};
}

// The pixels of a PNG as EncodePng writes it (one IDAT, rows without filter), checking each
// chunk's CRC on the way.
RgbaImage DecodePng(const Bytes& png) {
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  RgbaImage image;
  Bytes zlib;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = Be32(png, at);
    const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    EXPECT_LE(at + 12 + length, png.size()) << type;
    EXPECT_EQ(Be32(png, at + 8 + length), libdeflate_crc32(0, &png[at + 4], length + 4)) << type;
    if (type == "IHDR") {
      image.width = static_cast<int>(Be32(png, at + 8));
      image.height = static_cast<int>(Be32(png, at + 12));
      EXPECT_EQ(png[at + 16], 8) << "bits per channel";
      EXPECT_EQ(png[at + 17], 6) << "RGBA";
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                  png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    }
    at += 12 + length;
  }
  const std::size_t row = static_cast<std::size_t>(image.width) * 4;
  Bytes raw((row + 1) * static_cast<std::size_t>(image.height));
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  const auto result =
      libdeflate_zlib_decompress(d, zlib.data(), zlib.size(), raw.data(), raw.size(), nullptr);
  libdeflate_free_decompressor(d);
  EXPECT_EQ(result, LIBDEFLATE_SUCCESS);
  for (int y = 0; y < image.height; ++y) {
    EXPECT_EQ(raw[(row + 1) * static_cast<std::size_t>(y)], 0) << "filter of row " << y;
    const auto begin = raw.begin() + static_cast<std::ptrdiff_t>((row + 1) * y + 1);
    image.rgba.insert(image.rgba.end(), begin, begin + static_cast<std::ptrdiff_t>(row));
  }
  return image;
}

// The pixels of a 32-bit icon bitmap, checking its header and that its mask marks exactly the
// fully transparent pixels.
RgbaImage DecodeIconBitmap(const Bytes& dib, int size) {
  RgbaImage image{size, size, {}};
  EXPECT_EQ(Le(dib, 0, 4), 40u);
  EXPECT_EQ(Le(dib, 4, 4), static_cast<std::uint32_t>(size));
  EXPECT_EQ(Le(dib, 8, 4), static_cast<std::uint32_t>(2 * size)) << "colour and mask rows";
  EXPECT_EQ(Le(dib, 14, 2), 32u);
  EXPECT_EQ(Le(dib, 16, 4), 0u) << "BI_RGB";
  const std::size_t mask_row = static_cast<std::size_t>((size + 31) / 32) * 4;
  EXPECT_EQ(dib.size(), 40 + static_cast<std::size_t>(size) * size * 4 + mask_row * size);
  image.rgba.resize(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::size_t from = 40 + (static_cast<std::size_t>(size - 1 - y) * size + x) * 4;
      std::uint8_t* to = &image.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
      to[0] = dib[from + 2];
      to[1] = dib[from + 1];
      to[2] = dib[from];
      to[3] = dib[from + 3];
      const std::size_t mask_at = 40 + static_cast<std::size_t>(size) * size * 4 +
                                  static_cast<std::size_t>(size - 1 - y) * mask_row + x / 8;
      const bool masked = (dib[mask_at] & (0x80 >> (x % 8))) != 0;
      EXPECT_EQ(masked, to[3] == 0) << "mask at " << x << "," << y << " of " << size;
    }
  }
  return image;
}

TEST(ProgramIcon, IcoFileHoldsEverySizeAsDrawn) {
  std::vector<RgbaImage> drawn;
  for (int size : kProgramIconSizes) drawn.push_back(DrawProgramIcon(size));
  const Bytes ico = EncodeIco(drawn);
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(Le(ico, 0, 2), 0u);
  EXPECT_EQ(Le(ico, 2, 2), 1u) << "an icon";
  ASSERT_EQ(Le(ico, 4, 2), drawn.size());
  std::size_t expected_offset = 6 + 16 * drawn.size();
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int size = drawn[i].width;
    EXPECT_EQ(ico[entry], size == 256 ? 0 : size) << "width of entry " << i;
    EXPECT_EQ(ico[entry + 1], size == 256 ? 0 : size) << "height of entry " << i;
    EXPECT_EQ(Le(ico, entry + 6, 2), 32u);
    const std::uint32_t length = Le(ico, entry + 8, 4), offset = Le(ico, entry + 12, 4);
    EXPECT_EQ(offset, expected_offset) << "images follow each other without gaps or overlap";
    ASSERT_LE(offset + length, ico.size());
    expected_offset = offset + length;
    const Bytes data(ico.begin() + offset, ico.begin() + offset + length);
    const RgbaImage read = size == 256 ? DecodePng(data) : DecodeIconBitmap(data, size);
    EXPECT_EQ(read.width, size);
    EXPECT_EQ(read.rgba, drawn[i].rgba) << "pixels of the " << size << "-pixel image";
  }
  EXPECT_EQ(expected_offset, ico.size());
}

TEST(ProgramIcon, BlueButtonWithWhiteVOnTransparentCorners) {
  for (int size : kProgramIconSizes) {
    const RgbaImage icon = DrawProgramIcon(size);
    ASSERT_EQ(icon.rgba.size(), static_cast<std::size_t>(size) * size * 4);
    // Rounded corners: nothing drawn in the very corner.
    for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
      EXPECT_EQ(Pixel(icon, x, y)[3], 0) << size << ": corner " << x << "," << y;
    // The button's face beside the V, left of centre a third of the way down: opaque blue.
    const auto face = Pixel(icon, size / 8 + 1, size / 2);
    EXPECT_EQ(face[3], 255) << size;
    EXPECT_GT(face[2], face[0] + 60)
        << size << ": blue " << int(face[2]) << " red " << int(face[0]);
    // The foot of the V, in the middle, a little above three quarters down: white.
    const auto foot = Pixel(icon, size / 2, size * 68 / 100);
    EXPECT_EQ(foot[3], 255) << size;
    EXPECT_GT(std::min({foot[0], foot[1], foot[2]}), 200) << size << ": the V is white";
    // Between the arms of the V, near the top: the blue face again.
    const auto between = Pixel(icon, size / 2, size * 30 / 100);
    EXPECT_GT(between[2], between[0] + 60) << size << ": between the arms";
  }
  EXPECT_EQ(DrawProgramIcon(48).rgba, DrawProgramIcon(48).rgba) << "deterministic";
  EXPECT_THROW(DrawProgramIcon(0), std::invalid_argument);
  EXPECT_THROW(DrawProgramIcon(257), std::invalid_argument);
}

}  // namespace
}  // namespace artgen

// The program's icon: a rounded button in the product's blue carrying a white "V", drawn at any
// size with a transparent surround, and the Windows icon file (.ico) that holds several sizes.
#pragma once

#include <cstdint>
#include <vector>

namespace artgen {

// Straight (not premultiplied) red, green, blue, alpha bytes, row by row from the top left.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// The icon drawn for a square of `size` pixels. Deterministic, like all the art.
RgbaImage DrawProgramIcon(int size);

// The sizes the program's .ico carries: the title bar and taskbar at 100 to 200 % scaling, and
// Explorer's views up to its largest.
inline constexpr int kProgramIconSizes[] = {16, 24, 32, 48, 64, 256};

// A PNG of the image: 8-bit RGBA, no interlace, one zlib stream, no other chunks.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

// A Windows icon file of the images, in the order given: a 256-pixel image as PNG (as Windows
// Vista and later store large icons), the others as 32-bit bitmaps with their 1-bit mask, so
// older readers show them too. Every image must be square, 1 to 256 pixels.
std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images);

}  // namespace artgen

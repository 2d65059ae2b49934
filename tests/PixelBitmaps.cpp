#include "tests/PixelBitmaps.h"

#include <algorithm>
#include <stdexcept>

namespace testing_pictures {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BitmapFromPixels(const forms::TPixels& image, int depth) {
  std::vector<forms::TPixel> table;
  if (depth == 8) {
    for (forms::TPixel p : image.pixels)
      if (std::find(table.begin(), table.end(), p) == table.end()) table.push_back(p);
    if (table.size() > 256) throw std::invalid_argument("more than 256 colours");
    // An unused colours-used field of 0 means a full table: pad to 256 entries.
    table.resize(256, forms::Rgb(0, 0, 0));
  } else if (depth != 24 && depth != 32) {
    throw std::invalid_argument("depth");
  }
  const std::size_t stride = (std::size_t(image.width) * depth / 8 + 3) / 4 * 4;
  const std::size_t offset = 14 + 40 + 4 * table.size();
  const std::size_t imageSize = stride * std::size_t(image.height);
  std::vector<std::uint8_t> out(offset + imageSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, static_cast<std::uint32_t>(offset));
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(image.width));
  Put32(out, 22, static_cast<std::uint32_t>(image.height));
  Put16(out, 26, 1);
  Put16(out, 28, static_cast<std::uint32_t>(depth));
  Put32(out, 34, static_cast<std::uint32_t>(imageSize));
  Put32(out, 38, 2835);
  Put32(out, 42, 2835);
  Put32(out, 46, static_cast<std::uint32_t>(table.size()));
  for (std::size_t i = 0; i < table.size(); ++i) Put32(out, 54 + 4 * i, table[i] & 0x00FFFFFF);
  for (int y = 0; y < image.height; ++y) {
    std::size_t at = offset + stride * std::size_t(image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      const forms::TPixel p = image.At(x, y);
      if (depth == 8) {
        out[at++] =
            static_cast<std::uint8_t>(std::find(table.begin(), table.end(), p) - table.begin());
        continue;
      }
      out[at++] = static_cast<std::uint8_t>(p);        // blue
      out[at++] = static_cast<std::uint8_t>(p >> 8);   // green
      out[at++] = static_cast<std::uint8_t>(p >> 16);  // red
      if (depth == 32) out[at++] = 0xFF;
    }
  }
  return out;
}

forms::TPixels PixelsOf(int width, int height,
                        const std::function<forms::TPixel(int, int)>& colour) {
  forms::TPixels image(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.At(x, y) = colour(x, y);
  return image;
}

}  // namespace testing_pictures

#include "forms/Pixels.h"

#include <utility>

#include "forms/Forms.h"

namespace forms {

namespace {

[[noreturn]] void NotValid() {
  throw Exception("Bitmap image is not valid");
}

// Little-endian reads that refuse to leave the bytes.
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  if (at > b.size() || b.size() - at < 4) NotValid();
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  if (at > b.size() || b.size() - at < 2) NotValid();
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

JpegDecoder& InstalledJpegDecoder() {
  static JpegDecoder decoder;
  return decoder;
}

}  // namespace

void TPixels::DrawTransparent(const TPixels& overlay, int x, int y, TPixel transparent) {
  for (int oy = 0; oy < overlay.height; ++oy) {
    const long ty = long{y} + oy;
    if (ty < 0 || ty >= height) continue;
    for (int ox = 0; ox < overlay.width; ++ox) {
      const long tx = long{x} + ox;
      if (tx < 0 || tx >= width) continue;
      const TPixel p = overlay.At(ox, oy);
      if (p != transparent) At(static_cast<int>(tx), static_cast<int>(ty)) = p;
    }
  }
}

TPixels DecodeBitmap(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kInfo = 14;
  if (bytes.size() < kInfo + 40 || bytes[0] != 'B' || bytes[1] != 'M') NotValid();
  const std::uint32_t pixelOffset = U32(bytes, 10);
  if (U32(bytes, kInfo) < 40) NotValid();
  const auto width = static_cast<std::int32_t>(U32(bytes, kInfo + 4));
  const auto rawHeight = static_cast<std::int32_t>(U32(bytes, kInfo + 8));
  const int depth = U16(bytes, kInfo + 14);
  const std::uint32_t compression = U32(bytes, kInfo + 16);
  const std::uint32_t coloursUsed = U32(bytes, kInfo + 32);
  if (compression != 0 || (depth != 8 && depth != 24 && depth != 32)) NotValid();
  // Sizes past 32767 are far beyond any button and keep every product below in range.
  if (width <= 0 || width > 32767 || rawHeight == 0 || rawHeight < -32767 || rawHeight > 32767)
    NotValid();
  const bool bottomUp = rawHeight > 0;
  const int height = bottomUp ? rawHeight : -rawHeight;

  std::vector<TPixel> palette;
  if (depth == 8) {
    const std::size_t entries = (coloursUsed >= 1 && coloursUsed <= 255) ? coloursUsed : 256;
    const std::size_t table = kInfo + U32(bytes, kInfo);
    for (std::size_t i = 0; i < entries; ++i) {
      const std::uint32_t e = U32(bytes, table + 4 * i);
      palette.push_back(0xFF000000u | (e & 0x00FFFFFFu));
    }
  }

  const std::size_t stride = (std::size_t(width) * depth / 8 + 3) / 4 * 4;
  if (pixelOffset > bytes.size() || (bytes.size() - pixelOffset) / stride < std::size_t(height))
    NotValid();
  TPixels out(width, height, 0);
  for (int row = 0; row < height; ++row) {
    const std::size_t base = pixelOffset + stride * std::size_t(row);
    const int y = bottomUp ? height - 1 - row : row;
    for (int x = 0; x < width; ++x) {
      TPixel p = 0;
      if (depth == 8) {
        const std::uint8_t index = bytes[base + std::size_t(x)];
        if (index >= palette.size()) NotValid();
        p = palette[index];
      } else {
        const std::size_t at = base + std::size_t(x) * (depth / 8);
        p = Rgb(bytes[at + 2], bytes[at + 1], bytes[at]);  // stored blue, green, red
      }
      out.At(x, y) = p;
    }
  }
  return out;
}

void SetJpegDecoder(JpegDecoder decoder) {
  InstalledJpegDecoder() = std::move(decoder);
}

TPixels DecodeGraphic(const TGraphic& graphic) {
  if (graphic.encoding == TPictureEncoding::kBitmap) {
    std::vector<std::uint8_t> scratch;
    return DecodeBitmap(FileBytes(graphic, scratch));
  }
  const JpegDecoder& decoder = InstalledJpegDecoder();
  if (!decoder) throw Exception("JPEG pictures cannot be shown here");
  return decoder(graphic.bytes);
}

}  // namespace forms

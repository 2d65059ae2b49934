// Decoded pictures: what a front end draws, and what an image control draws on. A picture's
// stored bytes (a BMP file or a JPEG stream) are decoded here only when it is displayed; the
// run itself never decodes a picture.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "forms/Picture.h"

namespace forms {

// A colour as 0xAARRGGBB; decoded pictures are opaque (alpha 0xFF).
using TPixel = std::uint32_t;

inline constexpr TPixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return 0xFF000000u | (TPixel{r} << 16) | (TPixel{g} << 8) | TPixel{b};
}

// A decoded image, rows from the top.
struct TPixels {
  int width = 0;
  int height = 0;
  std::vector<TPixel> pixels;  // width x height, row by row

  TPixels() = default;
  TPixels(int w, int h, TPixel fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  bool Empty() const { return width == 0 || height == 0; }
  TPixel At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  TPixel& At(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  bool operator==(const TPixels&) const = default;

  // Draws `overlay` with its top-left corner at (x, y), which may lie outside this image: the
  // part outside is clipped. Overlay pixels equal to `transparent` are skipped.
  void DrawTransparent(const TPixels& overlay, int x, int y, TPixel transparent);
};

// Decodes a BMP file (BITMAPINFOHEADER, BI_RGB, 8, 24 or 32 bits per pixel, bottom-up or
// top-down). Every read is bounds-checked; damaged bytes raise Exception "Bitmap image is not
// valid".
TPixels DecodeBitmap(std::span<const std::uint8_t> bytes);

// Decodes a JPEG stream into pixels; a front end installs one where a JPEG library is at hand.
using JpegDecoder = std::function<TPixels(std::span<const std::uint8_t>)>;
// Installs the decoder DecodeGraphic uses for JPEG pictures (an empty one removes it).
void SetJpegDecoder(JpegDecoder decoder);

// Decodes a graphic of either encoding. A JPEG without an installed decoder raises Exception
// "JPEG pictures cannot be shown here".
TPixels DecodeGraphic(const TGraphic& graphic);

}  // namespace forms

// Decoding a JPEG picture for display, with libjpeg.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, rows from the top
};

// Decodes `jpeg` to 8-bit RGB. An empty or broken picture gives an empty image.
RgbImage DecodeJpeg(std::span<const std::uint8_t> jpeg);

// Stretches `image` to `width` x `height` by taking the nearest source pixel, as a plain
// stretched blit does.
RgbImage Stretch(const RgbImage& image, int width, int height);

}  // namespace platform

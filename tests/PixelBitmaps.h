// BMP files with chosen pixels, in the stored form (40-byte info header, BI_RGB, bottom-up,
// rows padded to 4 bytes): the fixtures of the image tests and the art of the viewer's
// screenshot test.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "forms/Pixels.h"

namespace testing_pictures {

// `image` as a BMP file of `depth` bits (8: a colour table of the image's distinct colours,
// at most 256; 24; 32 with an opaque alpha byte).
std::vector<std::uint8_t> BitmapFromPixels(const forms::TPixels& image, int depth = 24);

// An image whose pixel (x, y) is colour(x, y).
forms::TPixels PixelsOf(int width, int height,
                        const std::function<forms::TPixel(int, int)>& colour);

}  // namespace testing_pictures

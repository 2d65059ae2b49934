// File encodings of a finished canvas: Windows BMP (bottom-up, BI_RGB, 40-byte info header) and
// baseline JPEG through libjpeg.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/Raster.h"

namespace artgen {

// depth 24 (no colour table), 8 (256-entry table of a fixed palette, pixels mapped by error
// diffusion) or 32 (BGRA, opaque). pixels_per_metre goes into both resolution fields.
std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas, int depth, std::int32_t pixels_per_metre);

// Baseline JPEG, fixed quality, JFIF header with the given dots per inch, nothing else.
std::vector<std::uint8_t> EncodeJpeg(const Canvas& canvas, int dots_per_inch);

// The fixed 256-colour palette of 8-bit pictures: a 6x6x6 colour cube then 40 greys.
struct PaletteEntry {
  std::uint8_t r, g, b;
};
const std::vector<PaletteEntry>& Palette();

}  // namespace artgen

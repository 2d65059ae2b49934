// File encodings of a finished canvas: Windows BMP (bottom-up, BI_RGB, 40-byte info header) and
// baseline JPEG through libjpeg.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/artgen/Raster.h"

namespace artgen {

// How an 8-bit picture maps colours onto its palette: by error diffusion (smooth gradients), or
// each pixel to its nearest palette colour (crisp small marks drawn over other pictures, where
// scattered pixels of a diffused edge would show as speckles).
enum class Dither { kDiffuse, kNearest };

// depth 24 (no colour table), 8 (256-entry table of a fixed palette) or 32 (BGRA, opaque).
// pixels_per_metre goes into both resolution fields.
std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas, int depth, std::int32_t pixels_per_metre,
                                    Dither dither = Dither::kDiffuse);

// Baseline JPEG, fixed quality, JFIF header with the given dots per inch, nothing else.
std::vector<std::uint8_t> EncodeJpeg(const Canvas& canvas, int dots_per_inch);

// The fixed 256-colour palette of 8-bit pictures: a 6x6x6 colour cube then 40 greys.
struct PaletteEntry {
  std::uint8_t r, g, b;
};
const std::vector<PaletteEntry>& Palette();

}  // namespace artgen

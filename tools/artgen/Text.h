// Text drawn with FreeType from the DejaVu fonts of Debian's fonts-dejavu-core and
// fonts-dejavu-extra, at fixed paths
// so that every machine draws the same pixels. Each thread keeps its own library, faces and
// glyph cache, so drawing many pictures renders each glyph size once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artgen/Raster.h"

namespace artgen {

// kCondensedBold: the narrow bold face, for labels too long for a small button.
enum class FontFace { kBold, kRegular, kCondensedBold };

// Font sizes are in pixels (the em height); `squeeze` narrows the glyphs horizontally (1 = as
// designed), for labels that would not fit otherwise.
struct FontStyle {
  FontFace face = FontFace::kBold;
  float size = 12;
  float squeeze = 1;
};

// Decodes UTF-8 (invalid bytes read as Latin-1).
std::u32string Utf32(std::string_view utf8);

// Advance width of a line of text, in pixels.
float TextWidth(const FontStyle& style, std::u32string_view text);
// Height above and depth below the baseline of the font's capitals and descenders.
float Ascent(const FontStyle& style);
float Descent(const FontStyle& style);
// The inked box of one glyph relative to the pen at the baseline: x to the right, top upwards.
struct InkBox {
  float left = 0, top = 0, width = 0, height = 0;
};
InkBox GlyphInk(const FontStyle& style, char32_t c);
// Whether the face has a glyph for the character.
bool HasGlyph(FontFace face, char32_t c);

// Draws the text with its baseline starting at (x, baseline).
void DrawText(Canvas& canvas, const FontStyle& style, std::u32string_view text, float x,
              float baseline, Rgb colour, float alpha = 1);

// A label laid out into lines that fit a box.
struct Label {
  FontStyle style;
  std::vector<std::u32string> lines;
  float line_height = 0;
};

// Chooses the largest size between min_size and max_size (and, failing that, a horizontal
// squeeze) at which the words, kept whole and spread over at most max_lines lines, fit the
// box of width x height.
Label FitLabel(const std::vector<std::string>& words, float width, float height, float max_size,
               float min_size, int max_lines, FontFace face = FontFace::kBold);

// Like FitLabel, but never below min_size nor narrower than min_squeeze: the largest size at
// which the words fit as designed, else the largest at which they fit narrowed to no less than
// min_squeeze; nothing when they fit neither way.
std::optional<Label> TryFitLabel(const std::vector<std::string>& words, float width, float height,
                                 float max_size, float min_size, int max_lines, float min_squeeze,
                                 FontFace face = FontFace::kBold);

// Draws the label centred on (cx, cy), with an optional one-pixel drop shadow.
void DrawLabel(Canvas& canvas, const Label& label, float cx, float cy, Rgb colour, float alpha,
               const Rgb* shadow = nullptr, float shadow_alpha = 0);

}  // namespace artgen

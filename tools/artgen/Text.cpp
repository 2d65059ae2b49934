#include "tools/artgen/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <tuple>

namespace artgen {
namespace {

// In the order of FontFace, with the Debian package that carries each.
constexpr const char* kFontPaths[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
};
constexpr const char* kFontPackages[] = {"fonts-dejavu-core", "fonts-dejavu-core",
                                         "fonts-dejavu-extra"};
constexpr int kFaces = 3;

struct Glyph {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  float advance = 0;
  std::vector<std::uint8_t> coverage;
};

// Sizes and squeezes are held in fixed point so that equal requests share cache entries.
using GlyphKey = std::tuple<int, long, long, char32_t>;

class Fonts {
 public:
  Fonts() {
    if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("artgen: FreeType failed");
    for (int i = 0; i < kFaces; ++i) {
      if (FT_New_Face(library_, kFontPaths[i], 0, &faces_[i]) != 0) {
        FT_Done_FreeType(library_);
        throw std::runtime_error(std::string("artgen: cannot load the font ") + kFontPaths[i] +
                                 " (package " + kFontPackages[i] + ")");
      }
    }
  }
  ~Fonts() { FT_Done_FreeType(library_); }
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  const Glyph& Get(const FontStyle& style, char32_t c) {
    const long size64 = std::lround(style.size * 64);
    const long squeeze = std::lround(style.squeeze * 65536);
    const GlyphKey key{static_cast<int>(style.face), size64, squeeze, c};
    auto found = cache_.find(key);
    if (found != cache_.end()) return found->second;

    FT_Face face = faces_[static_cast<int>(style.face)];
    FT_Set_Char_Size(face, 0, size64, 72, 72);
    FT_Matrix matrix{static_cast<FT_Fixed>(squeeze), 0, 0, 0x10000};
    FT_Set_Transform(face, &matrix, nullptr);
    Glyph glyph;
    if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      glyph.left = slot->bitmap_left;
      glyph.top = slot->bitmap_top;
      glyph.width = static_cast<int>(slot->bitmap.width);
      glyph.rows = static_cast<int>(slot->bitmap.rows);
      glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
      glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
      for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
        std::copy(row, row + glyph.width,
                  glyph.coverage.begin() + static_cast<std::ptrdiff_t>(y) * glyph.width);
      }
    }
    return cache_.emplace(key, std::move(glyph)).first->second;
  }

  bool Has(FontFace face, char32_t c) {
    return FT_Get_Char_Index(faces_[static_cast<int>(face)], c) != 0;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face faces_[kFaces] = {nullptr, nullptr, nullptr};
  std::map<GlyphKey, Glyph> cache_;
};

Fonts& ThreadFonts() {
  thread_local Fonts fonts;
  return fonts;
}

float BlockHeight(const FontStyle& style, int lines, float line_height) {
  return static_cast<float>(lines - 1) * line_height + Ascent(style) + Descent(style) * 0.5f;
}

}  // namespace

std::u32string Utf32(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t c = b;
    if (b >= 0xC0 && b < 0xE0) {
      extra = 1;
      c = b & 0x1F;
    } else if (b >= 0xE0 && b < 0xF0) {
      extra = 2;
      c = b & 0x0F;
    } else if (b >= 0xF0 && b < 0xF8) {
      extra = 3;
      c = b & 0x07;
    }
    bool valid = true;
    for (int k = 1; valid && k <= extra; ++k) {
      if (i + k >= utf8.size()) {
        valid = false;
        break;
      }
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out.push_back(b);
      ++i;
    } else {
      out.push_back(c);
      i += static_cast<std::size_t>(extra) + 1;
    }
  }
  return out;
}

float TextWidth(const FontStyle& style, std::u32string_view text) {
  float width = 0;
  for (char32_t c : text) width += ThreadFonts().Get(style, c).advance;
  return width;
}

float Ascent(const FontStyle& style) {
  const Glyph& h = ThreadFonts().Get(style, U'H');
  return static_cast<float>(h.top);
}

float Descent(const FontStyle& style) {
  const Glyph& g = ThreadFonts().Get(style, U'g');
  return static_cast<float>(g.rows - g.top);
}

InkBox GlyphInk(const FontStyle& style, char32_t c) {
  const Glyph& g = ThreadFonts().Get(style, c);
  return {static_cast<float>(g.left), static_cast<float>(g.top), static_cast<float>(g.width),
          static_cast<float>(g.rows)};
}

bool HasGlyph(FontFace face, char32_t c) {
  return ThreadFonts().Has(face, c);
}

void DrawText(Canvas& canvas, const FontStyle& style, std::u32string_view text, float x,
              float baseline, Rgb colour, float alpha) {
  float pen = x;
  const int base = static_cast<int>(std::lround(baseline));
  for (char32_t c : text) {
    const Glyph& glyph = ThreadFonts().Get(style, c);
    const int gx = static_cast<int>(std::lround(pen)) + glyph.left;
    const int gy = base - glyph.top;
    for (int y = 0; y < glyph.rows; ++y) {
      for (int xx = 0; xx < glyph.width; ++xx) {
        const std::uint8_t cov = glyph.coverage[static_cast<std::size_t>(y) * glyph.width + xx];
        if (cov != 0)
          canvas.Blend(gx + xx, gy + y, colour, alpha * static_cast<float>(cov) / 255.0f);
      }
    }
    pen += glyph.advance;
  }
}

namespace {

// The split of the words into `lines` lines that makes the widest line narrowest; gives that
// width.
float BestSplit(const std::vector<std::u32string>& text, const FontStyle& style, int lines,
                std::vector<std::u32string>& out) {
  const int n = static_cast<int>(text.size());
  float best = 1e30f;
  const unsigned gaps = static_cast<unsigned>(n - 1);
  for (unsigned mask = 0; mask < (1u << gaps); ++mask) {
    if (__builtin_popcount(mask) != lines - 1) continue;
    std::vector<std::u32string> candidate(1);
    for (int i = 0; i < n; ++i) {
      if (i > 0) {
        if ((mask >> (i - 1)) & 1u) {
          candidate.emplace_back();
        } else {
          candidate.back() += U' ';
        }
      }
      candidate.back() += text[static_cast<std::size_t>(i)];
    }
    float widest = 0;
    for (const auto& line : candidate) widest = std::max(widest, TextWidth(style, line));
    if (widest < best) {
      best = widest;
      out = std::move(candidate);
    }
  }
  return best;
}

std::vector<std::u32string> Utf32Words(const std::vector<std::string>& words) {
  std::vector<std::u32string> text;
  for (const std::string& w : words) text.push_back(Utf32(w));
  return text;
}

float WidestLine(const FontStyle& style, const std::vector<std::u32string>& lines) {
  float widest = 0;
  for (const auto& line : lines) widest = std::max(widest, TextWidth(style, line));
  return widest;
}

float LineHeight(float size) {
  return std::round(size * 1.08f);
}

// The largest size from max_size down to min_size, in half pixels, at which the words fit the
// box on at most max_lines lines, narrowed by at most `squeeze_limit` (1: not at all).
std::optional<Label> FitAtSizes(const std::vector<std::u32string>& text, float width, float height,
                                float max_size, float min_size, int max_lines, float squeeze_limit,
                                FontFace face) {
  for (float size = max_size; size >= min_size - 0.01f; size -= 0.5f) {
    const FontStyle style{face, size, 1};
    const float line_height = LineHeight(size);
    for (int lines = 1; lines <= max_lines; ++lines) {
      if (BlockHeight(style, lines, line_height) > height) break;
      std::vector<std::u32string> out;
      const float widest = BestSplit(text, style, lines, out);
      if (widest * squeeze_limit > width) continue;
      // Narrowed in steps of 1/256 until the lines fit: the advances of narrowed glyphs are
      // rounded, so they do not shrink exactly in proportion.
      FontStyle narrowed = style;
      if (widest > width) narrowed.squeeze = std::floor(width / widest * 256) / 256;
      while (narrowed.squeeze >= squeeze_limit && WidestLine(narrowed, out) > width) {
        narrowed.squeeze -= 1.0f / 256;
      }
      if (narrowed.squeeze < squeeze_limit) continue;
      Label label;
      label.style = narrowed;
      label.lines = std::move(out);
      label.line_height = line_height;
      return label;
    }
  }
  return std::nullopt;
}

}  // namespace

Label FitLabel(const std::vector<std::string>& words, float width, float height, float max_size,
               float min_size, int max_lines, FontFace face) {
  if (auto label = TryFitLabel(words, width, height, max_size, min_size, max_lines, 1, face))
    return *label;
  const std::vector<std::u32string> text = Utf32Words(words);
  max_lines = std::clamp(max_lines, 1, static_cast<int>(text.size()));
  // Nothing fits at the smallest size: take the most lines that fit in height and narrow the
  // glyphs until the widest line fits.
  FontStyle style{face, min_size, 1};
  const float line_height = LineHeight(min_size);
  int lines = 1;
  while (lines < max_lines && BlockHeight(style, lines + 1, line_height) <= height) ++lines;
  std::vector<std::u32string> out;
  const float widest = BestSplit(text, style, lines, out);
  style.squeeze = std::max(0.45f, width / widest);
  Label label;
  label.style = style;
  label.lines = std::move(out);
  label.line_height = line_height;
  return label;
}

std::optional<Label> TryFitLabel(const std::vector<std::string>& words, float width, float height,
                                 float max_size, float min_size, int max_lines, float min_squeeze,
                                 FontFace face) {
  const std::vector<std::u32string> text = Utf32Words(words);
  if (text.empty()) {
    Label label;
    label.style = {face, max_size, 1};
    return label;
  }
  max_lines = std::clamp(max_lines, 1, static_cast<int>(text.size()));
  if (auto label = FitAtSizes(text, width, height, max_size, min_size, max_lines, 1, face)) {
    return label;
  }
  if (min_squeeze >= 1) return std::nullopt;
  return FitAtSizes(text, width, height, max_size, min_size, max_lines, min_squeeze, face);
}

void DrawLabel(Canvas& canvas, const Label& label, float cx, float cy, Rgb colour, float alpha,
               const Rgb* shadow, float shadow_alpha) {
  if (label.lines.empty()) return;
  const int lines = static_cast<int>(label.lines.size());
  const float block = BlockHeight(label.style, lines, label.line_height);
  const float first = std::round(cy - block * 0.5f + Ascent(label.style));
  for (int i = 0; i < lines; ++i) {
    const auto& line = label.lines[static_cast<std::size_t>(i)];
    const float x = std::round(cx - TextWidth(label.style, line) * 0.5f);
    const float baseline = first + static_cast<float>(i) * label.line_height;
    if (shadow != nullptr)
      DrawText(canvas, label.style, line, x, baseline + 1, *shadow, shadow_alpha);
    DrawText(canvas, label.style, line, x, baseline, colour, alpha);
  }
}

}  // namespace artgen

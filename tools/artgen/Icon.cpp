#include "tools/artgen/Icon.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include <libdeflate.h>

#include "tools/artgen/Names.h"
#include "tools/artgen/Raster.h"

namespace artgen {
namespace {

// The blue of the product's "azul" buttons.
constexpr Rgb kBlue{0.16f, 0.40f, 0.80f};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{1, 1, 1};

// Draws the icon over a plain background. Drawn once over black and once over white, the two
// canvases give each pixel's opacity and colour exactly, since every shape is laid over what is
// below it by linear blending: over black a pixel is a * c, over white a * c + (1 - a).
void DrawIconOn(Canvas& canvas) {
  const float s = static_cast<float>(canvas.width());
  // Small icons fill their square; larger ones leave room for a soft shadow below the button.
  const float margin = s < 24 ? 0.0f : s * 0.04f;
  const float shadow = s < 32 ? 0.0f : s * 0.035f;
  const float x0 = margin, x1 = s - margin;
  const float y0 = margin, y1 = s - margin - shadow;
  const float bw = x1 - x0, bh = y1 - y0;
  const float radius = std::max(2.0f, bw * 0.2f);
  const float stroke = std::max(1.0f, s / 48.0f);

  if (shadow > 0) {
    SoftRoundRect(canvas, x0 + shadow * 0.5f, y0 + shadow, x1 - shadow * 0.5f, y1 + shadow, radius,
                  shadow * 1.5f, kBlack, 0.4f);
  }
  const Rgb top = Lighten(kBlue, 0.25f);
  const Rgb bottom = Darken(kBlue, 0.18f);
  FillRoundRectGradient(canvas, x0, y0, x1, y1, radius, top, bottom);

  // Gloss over the upper half, as on the buttons.
  const float gloss_bottom = y0 + bh * 0.5f;
  canvas.Fill(
      x0, y0, x1, gloss_bottom,
      [&](float px, float py) {
        const float d =
            RoundRectDistance(px, py, x0 + stroke * 1.5f, y0 + stroke * 1.2f, x1 - stroke * 1.5f,
                              gloss_bottom, std::max(1.0f, radius - stroke * 1.5f));
        return Edge(d) * 0.30f * (1 - (py - y0) / (gloss_bottom - y0));
      },
      [&](float, float) { return kWhite; });
  StrokeRoundRect(canvas, x0, y0, x1, y1, radius, stroke, Darken(kBlue, 0.4f), 0.95f);

  // The "V": two strokes meeting at the bottom, with a dark halo below and right, as the
  // buttons' ink has.
  const float cx = (x0 + x1) * 0.5f;
  const float line = std::max(1.6f, bw * 0.13f);
  const float top_y = y0 + bh * 0.24f, low_y = y0 + bh * 0.76f;
  const float half = bw * 0.24f;
  const float nudge = std::max(0.6f, bw * 0.02f);
  for (int pass = 0; pass < 2; ++pass) {
    const Rgb ink = pass == 0 ? Darken(kBlue, 0.6f) : kWhite;
    const float alpha = pass == 0 ? 0.55f : 1.0f;
    const float dx = pass == 0 ? nudge : 0.0f, dy = pass == 0 ? nudge : 0.0f;
    canvas.Fill(
        cx - half - line + dx, top_y - line + dy, cx + half + line + dx, low_y + line + dy,
        [&](float px, float py) {
          const float left =
              CapsuleDistance(px, py, cx - half + dx, top_y + dy, cx + dx, low_y + dy, line * 0.5f);
          const float right =
              CapsuleDistance(px, py, cx + half + dx, top_y + dy, cx + dx, low_y + dy, line * 0.5f);
          return alpha * Edge(std::min(left, right));
        },
        [&](float, float) { return ink; });
  }
}

std::uint8_t Byte(float v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put32BigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutPngChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
  Put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32BigEndian(out, libdeflate_crc32(0, out.data() + start, out.size() - start));
}

// A 32-bit bottom-up bitmap of the image (BGRA) with the 1-bit mask that older readers use,
// set where the image is fully transparent; rows of the mask are padded to 4 bytes.
std::vector<std::uint8_t> IconBitmap(const RgbaImage& image) {
  const int w = image.width, h = image.height;
  const int mask_row = ((w + 31) / 32) * 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(2 * h));  // the colour rows and the mask rows
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>(w * h * 4 + mask_row * h));
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution, colours used and important
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * w + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(mask_row), 0);
    for (int x = 0; x < w; ++x) {
      if (image.rgba[(static_cast<std::size_t>(y) * w + x) * 4 + 3] == 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

RgbaImage DrawProgramIcon(int size) {
  if (size < 1 || size > 256)
    throw std::invalid_argument("artgen: icon size " + std::to_string(size) + " is out of range");
  Canvas on_black(size, size, kBlack);
  Canvas on_white(size, size, kWhite);
  DrawIconOn(on_black);
  DrawIconOn(on_white);
  RgbaImage image{size, size, {}};
  image.rgba.reserve(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Rgb b = on_black.at(x, y), w = on_white.at(x, y);
      const float alpha =
          std::clamp(1.0f - ((w.r - b.r) + (w.g - b.g) + (w.b - b.b)) / 3.0f, 0.0f, 1.0f);
      const std::uint8_t a = Byte(alpha);
      if (a == 0) {
        image.rgba.insert(image.rgba.end(), {0, 0, 0, 0});
        continue;
      }
      image.rgba.insert(image.rgba.end(),
                        {Byte(b.r / alpha), Byte(b.g / alpha), Byte(b.b / alpha), a});
    }
  }
  return image;
}

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
  const std::size_t row = static_cast<std::size_t>(image.width) * 4;
  std::vector<std::uint8_t> raw;
  raw.reserve((row + 1) * static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // no filter
    const auto begin = image.rgba.begin() + static_cast<std::ptrdiff_t>(row * y);
    raw.insert(raw.end(), begin, begin + static_cast<std::ptrdiff_t>(row));
  }
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(12);
  if (compressor == nullptr) throw std::runtime_error("artgen: out of memory for the PNG");
  std::vector<std::uint8_t> zlib(libdeflate_zlib_compress_bound(compressor, raw.size()));
  zlib.resize(
      libdeflate_zlib_compress(compressor, raw.data(), raw.size(), zlib.data(), zlib.size()));
  libdeflate_free_compressor(compressor);
  if (zlib.empty()) throw std::runtime_error("artgen: the PNG's pixels could not be compressed");

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  Put32BigEndian(header, static_cast<std::uint32_t>(image.width));
  Put32BigEndian(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutPngChunk(out, "IHDR", header);
  PutPngChunk(out, "IDAT", zlib);
  PutPngChunk(out, "IEND", {});
  return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images) {
  std::vector<std::vector<std::uint8_t>> data;
  for (const RgbaImage& image : images) {
    if (image.width != image.height || image.width < 1 || image.width > 256 ||
        image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4)
      throw std::invalid_argument("artgen: an icon image must be square, 1 to 256 pixels");
    data.push_back(image.width == 256 ? EncodePng(image) : IconBitmap(image));
  }
  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto side = static_cast<std::uint8_t>(images[i].width == 256 ? 0 : images[i].width);
    out.insert(out.end(), {side, side, 0, 0});  // 0 means 256; no palette
    Put16(out, 1);                              // planes
    Put16(out, 32);                             // bits per pixel
    Put32(out, static_cast<std::uint32_t>(data[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(data[i].size());
  }
  for (const auto& bytes : data) out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

}  // namespace artgen

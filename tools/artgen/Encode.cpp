#include "tools/artgen/Encode.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>

#include <jpeglib.h>

namespace artgen {
namespace {

std::uint8_t Byte(float v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

constexpr int kCubeLevels = 6;
constexpr int kGreys = 40;

// The palette entry nearest to a colour in 0..255 per channel, weighted by how bright each
// channel looks.
int NearestEntry(const float want[3]) {
  const auto& palette = Palette();
  int best = 0;
  float best_distance = 1e30f;
  for (int i = 0; i < 256; ++i) {
    const PaletteEntry& e = palette[static_cast<std::size_t>(i)];
    const float dr = want[0] - e.r, dg = want[1] - e.g, db = want[2] - e.b;
    const float distance = dr * dr * 0.30f + dg * dg * 0.59f + db * db * 0.11f;
    if (distance < best_distance) {
      best_distance = distance;
      best = i;
    }
  }
  return best;
}

// Maps the canvas to palette indices, top row first. With kDiffuse by Floyd-Steinberg error
// diffusion onto the nearest palette colour, for smooth gradients with a 256-colour table; a
// pixel that is exactly a palette colour (the white paper, a flat fill) keeps it and passes no
// error on, so flat areas stay flat and the paper around a shape stays clean. With kNearest
// every pixel takes its nearest palette colour.
std::vector<std::uint8_t> PaletteIndices(const Canvas& canvas, Dither dither) {
  const auto& palette = Palette();
  const int width = canvas.width();
  const int height = canvas.height();
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
  // Carried error of two rows, the current one and the next, alternating; three channels per
  // pixel, with a margin pixel on each side.
  const std::size_t stride = static_cast<std::size_t>(width + 2) * 3;
  std::vector<float> carried(stride * 2, 0.0f);
  for (int y = 0; y < height; ++y) {
    const std::size_t current = (static_cast<std::size_t>(y) % 2) * stride;
    const std::size_t next = stride - current;
    std::fill_n(carried.begin() + static_cast<std::ptrdiff_t>(next), stride, 0.0f);
    for (int x = 0; x < width; ++x) {
      const Rgb c = canvas.at(x, y);
      const float exact[3] = {c.r * 255.0f, c.g * 255.0f, c.b * 255.0f};
      const int own = NearestEntry(exact);
      const PaletteEntry& mine = palette[static_cast<std::size_t>(own)];
      const bool flat = std::fabs(exact[0] - mine.r) < 0.5f &&
                        std::fabs(exact[1] - mine.g) < 0.5f && std::fabs(exact[2] - mine.b) < 0.5f;
      int chosen = own;
      if (dither == Dither::kDiffuse && !flat) {
        const std::size_t at = current + static_cast<std::size_t>(x + 1) * 3;
        float want[3];
        for (int k = 0; k < 3; ++k) want[k] = std::clamp(exact[k] + carried[at + k], 0.0f, 255.0f);
        chosen = NearestEntry(want);
        const PaletteEntry& e = palette[static_cast<std::size_t>(chosen)];
        const float diff[3] = {want[0] - e.r, want[1] - e.g, want[2] - e.b};
        const std::size_t below = next + static_cast<std::size_t>(x) * 3;
        for (int k = 0; k < 3; ++k) {
          carried[at + 3 + k] += diff[k] * 7 / 16;
          carried[below + k] += diff[k] * 3 / 16;
          carried[below + 3 + k] += diff[k] * 5 / 16;
          carried[below + 6 + k] += diff[k] * 1 / 16;
        }
      }
      indices[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(chosen);
    }
  }
  return indices;
}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  std::longjmp(error->jump, 1);
}

// Runs the compressor; false when libjpeg reported an error. Kept free of C++ objects with
// destructors because of the longjmp.
bool Compress(const std::uint8_t* rgb, int width, int height, int dpi, unsigned char** buffer,
              unsigned long* size) {
  jpeg_compress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 88, TRUE);
  info.dct_method = JDCT_ISLOW;
  info.optimize_coding = FALSE;
  info.write_JFIF_header = TRUE;
  info.density_unit = 1;
  info.X_density = static_cast<UINT16>(dpi);
  info.Y_density = static_cast<UINT16>(dpi);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

const std::vector<PaletteEntry>& Palette() {
  static const std::vector<PaletteEntry> palette = [] {
    std::vector<PaletteEntry> p;
    for (int r = 0; r < kCubeLevels; ++r) {
      for (int g = 0; g < kCubeLevels; ++g) {
        for (int b = 0; b < kCubeLevels; ++b) {
          p.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                       static_cast<std::uint8_t>(b * 51)});
        }
      }
    }
    // Greys that fall between the cube's own greys (multiples of 51).
    for (int i = 0; i < kGreys; ++i) {
      const int step = i / 8;        // which gap between cube greys
      const int within = i % 8 + 1;  // 1..8 of 9 parts
      const auto v = static_cast<std::uint8_t>(step * 51 + within * 51 / 9);
      p.push_back({v, v, v});
    }
    return p;
  }();
  return palette;
}

std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas, int depth, std::int32_t pixels_per_metre,
                                    Dither dither) {
  if (depth != 8 && depth != 24 && depth != 32) {
    throw std::invalid_argument("artgen: bitmap depth must be 8, 24 or 32, not " +
                                std::to_string(depth));
  }
  const int width = canvas.width();
  const int height = canvas.height();
  const std::uint32_t row_bytes = ((static_cast<std::uint32_t>(width) * depth + 31) / 32) * 4;
  const std::uint32_t image_size = row_bytes * static_cast<std::uint32_t>(height);
  const std::uint32_t table_size = depth == 8 ? 256 * 4 : 0;
  const std::uint32_t offset = 14 + 40 + table_size;

  std::vector<std::uint8_t> out;
  out.reserve(offset + image_size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image_size);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint16_t>(depth));
  Put32(out, 0);  // BI_RGB
  Put32(out, image_size);
  Put32(out, static_cast<std::uint32_t>(pixels_per_metre));
  Put32(out, static_cast<std::uint32_t>(pixels_per_metre));
  Put32(out, depth == 8 ? 256 : 0);
  Put32(out, 0);
  if (depth == 8) {
    for (const PaletteEntry& e : Palette()) {
      out.push_back(e.b);
      out.push_back(e.g);
      out.push_back(e.r);
      out.push_back(0);
    }
  }
  const std::vector<std::uint8_t> indices =
      depth == 8 ? PaletteIndices(canvas, dither) : std::vector<std::uint8_t>();
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t row_start = out.size();
    for (int x = 0; x < width; ++x) {
      const Rgb c = canvas.at(x, y);
      if (depth == 8) {
        out.push_back(indices[static_cast<std::size_t>(y) * width + x]);
      } else {
        out.push_back(Byte(c.b));
        out.push_back(Byte(c.g));
        out.push_back(Byte(c.r));
        if (depth == 32) out.push_back(255);
      }
    }
    out.resize(row_start + row_bytes, 0);
  }
  return out;
}

std::vector<std::uint8_t> EncodeJpeg(const Canvas& canvas, int dots_per_inch) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(canvas.width()) * canvas.height() * 3);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgb c = canvas.at(x, y);
      rgb.push_back(Byte(c.r));
      rgb.push_back(Byte(c.g));
      rgb.push_back(Byte(c.b));
    }
  }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok =
      Compress(rgb.data(), canvas.width(), canvas.height(), dots_per_inch, &buffer, &size);
  std::vector<std::uint8_t> out;
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) throw std::runtime_error("artgen: libjpeg could not encode the picture");
  return out;
}

}  // namespace artgen

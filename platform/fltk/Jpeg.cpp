#include "platform/fltk/Jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf resume;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->resume, 1);
}

void OnMessage(j_common_ptr /*info*/) {}  // warnings about a damaged picture stay quiet

// Plain C state only between setjmp and longjmp: nothing here has a destructor to skip.
bool DecodeInto(const std::uint8_t* data, std::size_t size, RgbImage& out) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = OnMessage;
  if (setjmp(errors.resume) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(info.output_scanline) *
                                        static_cast<std::size_t>(out.width) * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

RgbImage DecodeJpeg(std::span<const std::uint8_t> jpeg) {
  RgbImage image;
  if (jpeg.empty()) return image;
  image.rgb.reserve(86 * 115 * 3);
  if (!DecodeInto(jpeg.data(), jpeg.size(), image)) return RgbImage{};
  return image;
}

RgbImage Stretch(const RgbImage& image, int width, int height) {
  RgbImage out;
  if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0) return out;
  out.width = width;
  out.height = height;
  out.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    const int sy = static_cast<int>(static_cast<long long>(y) * image.height / height);
    for (int x = 0; x < width; ++x) {
      const int sx = static_cast<int>(static_cast<long long>(x) * image.width / width);
      const std::uint8_t* from = &image.rgb[static_cast<std::size_t>((sy * image.width + sx) * 3)];
      std::uint8_t* to = &out.rgb[static_cast<std::size_t>((y * width + x) * 3)];
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
  return out;
}

}  // namespace platform

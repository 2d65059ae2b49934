#include "tools/sheetview/JpegPixels.h"

#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include <csetjmp>
#include <string>
#include <vector>

#include "forms/Forms.h"

namespace sheetview {

namespace {

struct Failure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* failure = reinterpret_cast<Failure*>(info->err);
  (*info->err->format_message)(info, failure->message);
  std::longjmp(failure->jump, 1);
}

}  // namespace

forms::TPixels DecodeJpeg(std::span<const std::uint8_t> bytes) {
  forms::TPixels out;
  std::vector<JSAMPLE> row;
  // Plain C state only between setjmp and longjmp.
  jpeg_decompress_struct info;
  Failure failure;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = OnError;
  failure.message[0] = '\0';
  if (setjmp(failure.jump)) {
    jpeg_destroy_decompress(&info);
    throw forms::Exception(std::string("JPEG picture cannot be decoded: ") + failure.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out =
      forms::TPixels(static_cast<int>(info.output_width), static_cast<int>(info.output_height), 0);
  row.resize(std::size_t{info.output_width} * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[] = {row.data()};
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < out.width; ++x)
      out.At(x, y) = forms::Rgb(row[3 * std::size_t(x)], row[3 * std::size_t(x) + 1],
                                row[3 * std::size_t(x) + 2]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return out;
}

}  // namespace sheetview

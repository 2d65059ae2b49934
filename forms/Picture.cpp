#include "forms/Picture.h"

#include <algorithm>
#include <string>

#include "forms/Forms.h"

// The Linux build unpacks with libdeflate, which is about twice as fast as zlib at it; the
// Windows build uses zlib, the deflate library Debian carries for mingw. Both read the same
// zlib streams and check their Adler-32.
#if defined(VARNEL_UNPACK_WITH_ZLIB)
#include <zlib.h>
#else
#include <libdeflate.h>
#endif

namespace forms {

namespace {

[[noreturn]] void Damaged(const char* what) {
  throw Exception(std::string("Stored picture is damaged: ") + what);
}

#if !defined(VARNEL_UNPACK_WITH_ZLIB)
// One decompressor per thread: it is cheap to keep and not safe to share.
libdeflate_decompressor* Decompressor() {
  struct Holder {
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    ~Holder() { libdeflate_free_decompressor(d); }
  };
  thread_local Holder holder;
  if (holder.d == nullptr) throw Exception("Out of memory");
  return holder.d;
}
#endif

}  // namespace

void UnpackRows(const TGraphic& graphic, std::span<std::uint8_t> out) {
  if (!graphic.Packed() || out.size() != graphic.rowBytes) Damaged("no packed rows of that size");
#if defined(VARNEL_UNPACK_WITH_ZLIB)
  uLongf length = static_cast<uLongf>(out.size());
  uLong consumed = static_cast<uLong>(graphic.packedRows.size());
  const int result = uncompress2(out.data(), &length, graphic.packedRows.data(), &consumed);
  if (result != Z_OK) Damaged("its pixel rows do not unpack");
  if (length != out.size() || consumed != graphic.packedRows.size())
    Damaged("its pixel rows unpack to another size");
#else
  std::size_t consumed = 0, length = 0;
  const libdeflate_result result = libdeflate_zlib_decompress_ex(
      Decompressor(), graphic.packedRows.data(), graphic.packedRows.size(), out.data(), out.size(),
      &consumed, &length);
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) Damaged("its pixel rows unpack to another size");
  if (result != LIBDEFLATE_SUCCESS) Damaged("its pixel rows do not unpack");
  if (length != out.size() || consumed != graphic.packedRows.size())
    Damaged("its pixel rows unpack to another size");
#endif
}

std::span<const std::uint8_t> FileBytes(const TGraphic& graphic,
                                        std::vector<std::uint8_t>& scratch) {
  if (!graphic.Packed()) return graphic.bytes;
  scratch.resize(graphic.FileSize());
  std::copy(graphic.bytes.begin(), graphic.bytes.end(), scratch.begin());
  UnpackRows(graphic,
             std::span<std::uint8_t>(scratch).subspan(graphic.bytes.size(), graphic.rowBytes));
  return scratch;
}

}  // namespace forms

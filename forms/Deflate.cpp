#include "forms/Deflate.h"

#include <algorithm>

#include "forms/Forms.h"

#if defined(VARNEL_DEFLATE_WITH_ZLIB)
#include <zlib.h>
#else
#include <libdeflate.h>
#endif

namespace forms {

#if defined(VARNEL_DEFLATE_WITH_ZLIB)

InflateResult Inflate(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out) {
  uLongf length = static_cast<uLongf>(out.size());
  uLong consumed = static_cast<uLong>(packed.size());
  const int result = uncompress2(out.data(), &length, packed.data(), &consumed);
  if (result == Z_BUF_ERROR && length == out.size()) return InflateResult::kWrongSize;
  if (result != Z_OK) return InflateResult::kDamaged;
  if (length != out.size() || consumed != packed.size()) return InflateResult::kWrongSize;
  return InflateResult::kOk;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (!bytes.empty()) {
    const std::size_t n = std::min<std::size_t>(bytes.size(), 1u << 30);
    crc = crc32(crc, bytes.data(), static_cast<uInt>(n));
    bytes = bytes.subspan(n);
  }
  return static_cast<std::uint32_t>(crc);
}

#else

namespace {
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
}  // namespace

InflateResult Inflate(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out) {
  std::size_t consumed = 0, length = 0;
  const libdeflate_result result = libdeflate_zlib_decompress_ex(
      Decompressor(), packed.data(), packed.size(), out.data(), out.size(), &consumed, &length);
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) return InflateResult::kWrongSize;
  if (result != LIBDEFLATE_SUCCESS) return InflateResult::kDamaged;
  if (length != out.size() || consumed != packed.size()) return InflateResult::kWrongSize;
  return InflateResult::kOk;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return libdeflate_crc32(0, bytes.data(), bytes.size());
}

#endif

}  // namespace forms

#include "export/StoreFormat.h"

#include <algorithm>

// The deflate library the build unpacks with (see forms/Picture.cpp) also gives the checksum.
#if defined(VARNEL_UNPACK_WITH_ZLIB)
#include <zlib.h>
#else
#include <libdeflate.h>
#endif

namespace varnel::store {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
#if defined(VARNEL_UNPACK_WITH_ZLIB)
  uLong crc = crc32(0L, Z_NULL, 0);
  while (!bytes.empty()) {
    const std::size_t n = std::min<std::size_t>(bytes.size(), 1u << 30);
    crc = crc32(crc, bytes.data(), static_cast<uInt>(n));
    bytes = bytes.subspan(n);
  }
  return static_cast<std::uint32_t>(crc);
#else
  return libdeflate_crc32(0, bytes.data(), bytes.size());
#endif
}

}  // namespace varnel::store

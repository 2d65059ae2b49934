#include "export/StoreFormat.h"

#include <algorithm>

#include "forms/Deflate.h"

namespace varnel::store {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return forms::Crc32(bytes);
}

}  // namespace varnel::store

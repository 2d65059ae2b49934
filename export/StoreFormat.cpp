#include "export/StoreFormat.h"

namespace varnel::store {

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

// Slicing by eight: table k gives the CRC of a byte followed by k zero bytes, so eight bytes
// are folded in per step. The stores are checked whole on every load, and they are large.
constexpr std::array<std::array<std::uint32_t, 256>, 8> MakeSlicedTables() {
  std::array<std::array<std::uint32_t, 256>, 8> tables{};
  tables[0] = MakeCrcTable();
  for (std::size_t k = 1; k < 8; ++k)
    for (std::size_t i = 0; i < 256; ++i)
      tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFF];
  return tables;
}

constexpr std::array<std::array<std::uint32_t, 256>, 8> kCrcTables = MakeSlicedTables();

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  const auto& t = kCrcTables;
  std::uint32_t c = 0xFFFFFFFFu;
  const std::uint8_t* p = bytes.data();
  std::size_t n = bytes.size();
  for (; n >= 8; n -= 8, p += 8) {
    const std::uint32_t low = c ^ ReadU32(p);
    const std::uint32_t high = ReadU32(p + 4);
    c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
        t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
  }
  for (; n > 0; --n, ++p) c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

}  // namespace varnel::store

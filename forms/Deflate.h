// The deflate library of the build, in one place: the Linux build uses libdeflate, about twice
// as fast as zlib at unpacking; the Windows build uses zlib, the deflate library Debian carries
// for mingw. Both read the same zlib streams, check their Adler-32 and give the same CRC-32.
#pragma once

#include <cstdint>
#include <span>

namespace forms {

enum class InflateResult { kOk, kDamaged, kWrongSize };

// Unpacks the zlib stream `packed` into `out`, which it must fill exactly, using all of `packed`.
InflateResult Inflate(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out);

// The CRC-32 of `bytes` (the one of zlib and PNG).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace forms

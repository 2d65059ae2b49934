// The binary form of a picture store: one per form, written by tools/pack, embedded in the
// program and read in place by PictureStore. All integers are little-endian 32-bit unsigned.
//
//   header (64 bytes)
//     0  magic "VRNLSTOR"
//     8  format version (kStoreVersion)
//    12  checksum: CRC-32 (the zlib polynomial) of every byte from offset 16 to the end
//    16  size of the whole store in bytes
//    20  component count        24  offset of the component table (36 bytes a record)
//    28  property count         32  offset of the property table  (16 bytes a record)
//    36  picture count          40  offset of the picture table   (40 bytes a record)
//    44  offset of the name index (component count entries)
//    48  offset of the string pool     52  its size
//    56  offset of the picture data    60  its size
//   component: name (pool offset, length), class (pool offset, length), parent index
//              (kNoParent for the form, else a smaller index), first property, property count,
//              first picture, picture count. Component 0 is the form; each component's
//              properties and pictures follow those of the component before it.
//   property:  key (pool offset, length), value (pool offset, length)
//   picture:   component index, slot (kSlotNames), encoding (1 bitmap, 2 JPEG), width, height,
//              depth (bitmaps: 8, 24 or 32; JPEG: 0), offset of its bytes in the store, length,
//              packed length, unpacked length. With a packed length of 0 the bytes are the
//              whole file. Otherwise (bitmaps only) they are the file up to its pixel rows, and
//              the packed length of bytes right after them are the rows as a zlib stream, which
//              unpack to the unpacked length (at most kMaxRowBytes). A component's pictures come
//              in increasing slot order. Pictures with identical files share their bytes.
//   index:     component indices ordered by name, A to Z compared as lower case.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnel::store {

inline constexpr std::array<char, 8> kMagic = {'V', 'R', 'N', 'L', 'S', 'T', 'O', 'R'};
inline constexpr std::uint32_t kStoreVersion = 2;
inline constexpr std::uint32_t kNoParent = 0xFFFFFFFFu;

inline constexpr std::size_t kHeaderSize = 64;
inline constexpr std::size_t kChecksumStart = 16;
inline constexpr std::size_t kComponentRecord = 36;
inline constexpr std::size_t kPropertyRecord = 16;
inline constexpr std::size_t kPictureRecord = 40;
// The largest unpacked pixel rows a store may state: far above any picture of the product, and
// low enough that unpacking a damaged record cannot exhaust memory.
inline constexpr std::size_t kMaxRowBytes = 64u << 20;

namespace field {
inline constexpr std::size_t kVersion = 8, kChecksum = 12, kSize = 16, kComponentCount = 20,
                             kComponents = 24, kPropertyCount = 28, kProperties = 32,
                             kPictureCount = 36, kPictures = 40, kIndex = 44, kStrings = 48,
                             kStringsSize = 52, kData = 56, kDataSize = 60;
}

inline constexpr std::uint32_t kEncodingBitmap = 1;
inline constexpr std::uint32_t kEncodingJpeg = 2;

// Picture slots in their stored order, which is also the order in which they are bound.
inline constexpr std::array<std::string_view, 4> kSlotNames = {"Picture", "Picture1", "Picture2",
                                                               "Picture3"};

inline std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint16_t ReadU16Big(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// CRC-32 as zlib computes it (reflected polynomial 0xEDB88320, inverted in and out).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace varnel::store

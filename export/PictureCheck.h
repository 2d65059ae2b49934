// Checks of stored picture bytes, shared by the store loader, the picture writer and the pack
// tool. Nothing here decodes pixels or reaches beyond the bytes given.
//
// A stored bitmap is a Windows BMP file: "BM", a 40-byte BITMAPINFOHEADER, uncompressed
// (BI_RGB), bottom-up (positive height), 8, 24 or 32 bits per pixel, rows padded to 4 bytes,
// file-size and image-size fields equal to the data. Only 8-bit pictures have a colour table:
// as many 4-byte entries as the colours-used field when that is between 1 and 255, else 256.
// A stored JPEG runs from FFD8 to FFD9 and its frame header gives its pixel size.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "forms/Picture.h"

namespace varnel {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::size_t kBmpColoursUsedField = 32;  // within the info header

// Where the parts of a checked bitmap lie.
struct BitmapParts {
  std::size_t tableEntries = 0;  // colour-table entries, 4 bytes each
  std::size_t pixelOffset = 0;   // 14 + 40 + 4 x tableEntries
  std::size_t imageSize = 0;     // bytes of pixel rows
};

// The colour-table entries of a bitmap of `depth` bits with this colours-used field.
std::size_t ColourTableEntries(int depth, std::uint32_t coloursUsed);

// Each returns an empty string when the bytes are good, filling `graphic` (and `parts`), or a
// short lower-case reason ("height is not positive") when they are not. For a bitmap whose
// pixel rows are kept elsewhere (packed), `rowsElsewhere` gives their size and `bytes` must
// end where they begin.
std::string CheckBitmap(std::span<const std::uint8_t> bytes, forms::TGraphic& graphic,
                        BitmapParts* parts = nullptr, std::size_t rowsElsewhere = 0);
std::string CheckJpeg(std::span<const std::uint8_t> bytes, forms::TGraphic& graphic);

// The graphic of a complete BMP file or JPEG stream, told apart by their first bytes. Raises
// forms::Exception "<what>: <reason>" when the bytes are neither, or damaged.
forms::TGraphic GraphicFromBytes(std::span<const std::uint8_t> bytes, std::string_view what);

}  // namespace varnel

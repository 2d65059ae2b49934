#include "export/PictureCheck.h"

#include "export/StoreFormat.h"
#include "forms/Forms.h"

namespace varnel {

using store::ReadU16;
using store::ReadU32;

std::size_t ColourTableEntries(int depth, std::uint32_t coloursUsed) {
  if (depth != 8) return 0;
  return coloursUsed >= 1 && coloursUsed <= 255 ? coloursUsed : 256;
}

std::string CheckBitmap(std::span<const std::uint8_t> bytes, forms::TGraphic& graphic,
                        BitmapParts* parts, std::size_t rowsElsewhere) {
  constexpr std::size_t kHeaders = kBmpFileHeaderSize + kBmpInfoHeaderSize;
  if (bytes.size() < kHeaders) return "bitmap shorter than its headers";
  const std::uint8_t* b = bytes.data();
  const std::uint64_t fileSize = std::uint64_t{bytes.size()} + rowsElsewhere;
  if (b[0] != 'B' || b[1] != 'M') return "bitmap does not start with BM";
  if (ReadU32(b + 2) != fileSize) return "bitmap file-size field disagrees with its length";
  if (ReadU32(b + 6) != 0) return "bitmap reserved fields are not zero";
  const std::uint8_t* info = b + kBmpFileHeaderSize;
  if (ReadU32(info) != kBmpInfoHeaderSize) return "bitmap info header is not 40 bytes";
  const auto width = static_cast<std::int32_t>(ReadU32(info + 4));
  const auto height = static_cast<std::int32_t>(ReadU32(info + 8));
  if (width <= 0) return "bitmap width is not positive";
  if (height <= 0) return "bitmap height is not positive";
  if (ReadU16(info + 12) != 1) return "bitmap has more than one plane";
  const int depth = ReadU16(info + 14);
  if (depth != 8 && depth != 24 && depth != 32) return "bitmap depth is not 8, 24 or 32";
  if (ReadU32(info + 16) != 0) return "bitmap is compressed";
  const std::uint32_t coloursUsed = ReadU32(info + kBmpColoursUsedField);
  if (depth == 8 && coloursUsed > 256) return "bitmap colours-used field above 256";
  if (depth != 8 && coloursUsed != 0) return "bitmap without colour table counts colours";
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * depth + 31) / 32 * 4;
  const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
  if (ReadU32(info + 20) != imageSize) return "bitmap image-size field disagrees with its size";
  const std::size_t entries = ColourTableEntries(depth, coloursUsed);
  const std::uint64_t pixelOffset = kHeaders + 4 * entries;
  if (ReadU32(b + 10) != pixelOffset) return "bitmap pixel offset disagrees with its table";
  if (pixelOffset + imageSize != fileSize) return "bitmap length disagrees with its size";
  if (rowsElsewhere != 0 && rowsElsewhere != imageSize)
    return "bitmap packed rows disagree with its image size";
  graphic = forms::TGraphic{forms::TPictureEncoding::kBitmap, bytes, width, height, depth, {}, 0};
  if (parts != nullptr)
    *parts = BitmapParts{entries, static_cast<std::size_t>(pixelOffset),
                         static_cast<std::size_t>(imageSize)};
  return {};
}

std::string CheckJpeg(std::span<const std::uint8_t> bytes, forms::TGraphic& graphic) {
  const std::size_t n = bytes.size();
  const std::uint8_t* b = bytes.data();
  if (n < 4 || b[0] != 0xFF || b[1] != 0xD8) return "JPEG does not start with FFD8";
  if (b[n - 2] != 0xFF || b[n - 1] != 0xD9) return "JPEG does not end with FFD9";
  // Walk the marker segments up to the frame header. The end marker sits in the last two
  // bytes, so the walk stays in front of them.
  const std::size_t end = n - 2;
  std::size_t at = 2;
  while (true) {
    if (at >= end || b[at] != 0xFF) return "JPEG marker expected before its frame header";
    while (at < end && b[at] == 0xFF) ++at;  // fill bytes
    if (at >= end) return "JPEG ends before its frame header";
    const std::uint8_t marker = b[at++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || marker == 0x00)
      return "JPEG has no frame header";
    if (at + 2 > end) return "JPEG segment length runs past its end";
    const std::size_t length = store::ReadU16Big(b + at);
    if (length < 2 || at + length > end) return "JPEG segment runs past its end";
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) return "JPEG frame header too short";
      const int height = store::ReadU16Big(b + at + 3);
      const int width = store::ReadU16Big(b + at + 5);
      if (width == 0 || height == 0) return "JPEG frame header gives no size";
      graphic = forms::TGraphic{forms::TPictureEncoding::kJpeg, bytes, width, height, 0, {}, 0};
      return {};
    }
    at += length;
  }
}

forms::TGraphic GraphicFromBytes(std::span<const std::uint8_t> bytes, std::string_view what) {
  forms::TGraphic graphic;
  std::string reason;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
    reason = CheckBitmap(bytes, graphic);
  else if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
    reason = CheckJpeg(bytes, graphic);
  else
    reason = "neither a BMP file nor a JPEG stream";
  if (!reason.empty()) throw forms::Exception(std::string(what) + ": " + reason);
  return graphic;
}

}  // namespace varnel

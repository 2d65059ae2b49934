// Pictures as components hold them: an encoding and the stored file bytes (a BMP file or a
// JPEG stream), with the pixel size read from those bytes. The bytes are never copied: a
// picture refers to the loaded store, which outlives every form that uses it.
//
// A store may keep a bitmap's pixel rows packed (a zlib stream), since button art is mostly
// flat colour: then `bytes` holds the file up to its pixel rows and `packedRows` the rest.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace forms {

enum class TPictureEncoding { kBitmap, kJpeg };

// The image held by a non-empty picture.
struct TGraphic {
  TPictureEncoding encoding = TPictureEncoding::kBitmap;
  std::span<const std::uint8_t> bytes;  // the whole stored file, or the part before packed rows
  int width = 0;
  int height = 0;
  int depth = 0;  // bits per pixel of a bitmap (8, 24 or 32); 0 for a JPEG
  std::span<const std::uint8_t> packedRows;  // a bitmap's pixel rows as a zlib stream, or empty
  std::size_t rowBytes = 0;                  // the size of the packed rows once unpacked

  bool Packed() const { return !packedRows.empty(); }
  // The size of the whole file.
  std::size_t FileSize() const { return bytes.size() + (Packed() ? rowBytes : 0); }
};

// Unpacks a packed graphic's pixel rows into `out`, which holds exactly `rowBytes` bytes.
// Raises forms::Exception when the stream is damaged or does not give exactly that many bytes.
void UnpackRows(const TGraphic& graphic, std::span<std::uint8_t> out);

// The whole file of a graphic: its bytes, or for a packed one its bytes followed by the rows
// unpacked, put together in `scratch`. Raises as UnpackRows does.
std::span<const std::uint8_t> FileBytes(const TGraphic& graphic,
                                        std::vector<std::uint8_t>& scratch);

// A picture slot's own picture object: empty, or one graphic. Components own theirs; assigning
// copies the other picture's graphic (not its bytes) and announces the change.
class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  bool Empty() const { return !graphic_.has_value(); }
  // The held image, or null when the picture is empty.
  const TGraphic* Graphic() const { return graphic_ ? &*graphic_ : nullptr; }
  int Width() const { return graphic_ ? graphic_->width : 0; }
  int Height() const { return graphic_ ? graphic_->height : 0; }

  void Assign(const TPicture& other) { Set(other.graphic_); }
  void Assign(const TGraphic& graphic) { Set(graphic); }
  void Clear() { Set(std::nullopt); }

  // Called after every change of the held image.
  std::function<void()> OnChange;

 private:
  void Set(std::optional<TGraphic> graphic) {
    graphic_ = graphic;
    if (OnChange) OnChange();
  }
  std::optional<TGraphic> graphic_;
};

}  // namespace forms

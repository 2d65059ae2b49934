// Pictures as components hold them: an encoding and the complete stored file bytes (a BMP file
// or a JPEG stream), with the pixel size read from those bytes. The bytes are never copied: a
// picture refers to the loaded store, which outlives every form that uses it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace forms {

enum class TPictureEncoding { kBitmap, kJpeg };

// The image held by a non-empty picture.
struct TGraphic {
  TPictureEncoding encoding = TPictureEncoding::kBitmap;
  std::span<const std::uint8_t> bytes;  // the whole stored file
  int width = 0;
  int height = 0;
  int depth = 0;  // bits per pixel of a bitmap (8, 24 or 32); 0 for a JPEG
};

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

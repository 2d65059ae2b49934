// Draws the generated art of a stored layout: every picture that a layout names and that no
// real product art replaces. Deterministic: the same request gives the same bytes, on every
// machine and every run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/artgen/Names.h"
#include "tools/artgen/Text.h"

namespace artgen {

enum class Encoding { kBitmap, kJpeg };

// One picture slot of one component, as its layout states it.
struct ArtRequest {
  std::string form;       // form class, e.g. "tbotoes"
  std::string component;  // component name as in the layout, e.g. "ClienteAqua", "fundopet"
  std::string slot;       // "Picture", "Picture1", "Picture2" or "Picture3"
  std::string page;       // caption of the tab sheet holding it, may be empty
  Encoding encoding = Encoding::kBitmap;
  int width = 0;
  int height = 0;
  int depth = 24;  // bitmaps: 8 (256-entry colour table), 24 (no table) or 32
};

// What a picture says to someone looking at it: the words written on it, in reading order (UTF-8
// display words; empty when it shows none), and the colour it is drawn in. A single picture
// that the catalogue writes for several editions names none of them and is drawn in the
// product's own graphite (kNeutralColour), which is no edition's colour.
struct Face {
  std::vector<std::string> words;
  Rgb colour;
};
Face FaceOf(const ArtRequest& request);

inline constexpr Rgb kNeutralColour{0.24f, 0.26f, 0.29f};

// The label of a full-size or small button as it is drawn: its lines, text size and narrowing.
// Nothing for other pictures and for micro buttons, which show an icon only.
std::optional<Label> ButtonLabel(const ArtRequest& request);

// The complete file bytes of the picture: a bottom-up BI_RGB BMP with a 40-byte info header,
// or a baseline JPEG stream.
std::vector<std::uint8_t> DrawPicture(const ArtRequest& request);

}  // namespace artgen

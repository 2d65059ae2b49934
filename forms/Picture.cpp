#include "forms/Picture.h"

#include <algorithm>
#include <string>

#include "forms/Deflate.h"
#include "forms/Forms.h"

namespace forms {

namespace {

[[noreturn]] void Damaged(const char* what) {
  throw Exception(std::string("Stored picture is damaged: ") + what);
}

}  // namespace

void UnpackRows(const TGraphic& graphic, std::span<std::uint8_t> out) {
  if (!graphic.Packed() || out.size() != graphic.rowBytes) Damaged("no packed rows of that size");
  switch (Inflate(graphic.packedRows, out)) {
    case InflateResult::kOk:
      return;
    case InflateResult::kWrongSize:
      Damaged("its pixel rows unpack to another size");
    case InflateResult::kDamaged:
      Damaged("its pixel rows do not unpack");
  }
}

std::span<const std::uint8_t> FileBytes(const TGraphic& graphic,
                                        std::vector<std::uint8_t>& scratch) {
  if (!graphic.Packed()) return graphic.bytes;
  scratch.resize(graphic.FileSize());
  std::copy(graphic.bytes.begin(), graphic.bytes.end(), scratch.begin());
  UnpackRows(graphic,
             std::span<std::uint8_t>(scratch).subspan(graphic.bytes.size(), graphic.rowBytes));
  return scratch;
}

}  // namespace forms

// JPEG decoding for the viewer, with libjpeg-turbo (native builds only).
#pragma once

#include <cstdint>
#include <span>

#include "forms/Pixels.h"

namespace sheetview {

// Decodes a JPEG stream; a stream libjpeg cannot read raises forms::Exception.
forms::TPixels DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace sheetview

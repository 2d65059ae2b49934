// The art of a layout's pictures as the build takes it: a real-art file where the art folder
// holds one for the slot, else the picture drawn by the art generator.
#pragma once

#include <string>

#include "tools/pack/Pack.h"

namespace pack {

// `artFolder` may be empty or absent.
ArtSource RealOrGeneratedArt(const std::string& artFolder);

}  // namespace pack

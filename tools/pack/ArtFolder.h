// The art of a layout's pictures as the build takes it: a real-art file where the art folder
// holds one for the slot, else the picture drawn by the art generator.
#pragma once

#include <string>

#include "tools/artgen/Art.h"
#include "tools/pack/Pack.h"

namespace pack {

// What the art generator is asked to draw for a slot of a layout's component.
artgen::ArtRequest GeneratedArtRequest(const layout::Layout& layout,
                                       const layout::Component& component,
                                       const layout::PictureSlot& slot);

// `artFolder` may be empty or absent.
ArtSource RealOrGeneratedArt(const std::string& artFolder);

}  // namespace pack

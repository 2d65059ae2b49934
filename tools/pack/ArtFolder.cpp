#include "tools/pack/ArtFolder.h"

namespace pack {

artgen::ArtRequest GeneratedArtRequest(const layout::Layout& layout,
                                       const layout::Component& component,
                                       const layout::PictureSlot& slot) {
  const bool jpeg = slot.encoding == layout::Encoding::kJpeg;
  artgen::ArtRequest request;
  request.form = layout.Form().className;
  request.component = slot.art;
  request.slot = slot.artSlot;
  request.page = component.page;
  request.encoding = jpeg ? artgen::Encoding::kJpeg : artgen::Encoding::kBitmap;
  request.width = slot.width;
  request.height = slot.height;
  request.depth = jpeg ? 24 : slot.depth;
  return request;
}

ArtSource RealOrGeneratedArt(const std::string& artFolder) {
  return [artFolder](const layout::Layout& layout, const layout::Component& component,
                     const layout::PictureSlot& slot) {
    const std::string& formClass = layout.Form().className;
    if (auto file = FindRealArt(artFolder, formClass, slot.art, slot.artSlot))
      return Art{ReadFile(*file), *file};
    return Art{artgen::DrawPicture(GeneratedArtRequest(layout, component, slot)),
               "the art generator"};
  };
}

}  // namespace pack

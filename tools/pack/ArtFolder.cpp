#include "tools/pack/ArtFolder.h"

#include "tools/artgen/Art.h"

namespace pack {

ArtSource RealOrGeneratedArt(const std::string& artFolder) {
  return [artFolder](const layout::Layout& layout, const layout::Component& component,
                     const layout::PictureSlot& slot) {
    const std::string& formClass = layout.Form().className;
    if (auto file = FindRealArt(artFolder, formClass, slot.art, slot.artSlot))
      return Art{ReadFile(*file), *file};
    artgen::ArtRequest request;
    request.form = formClass;
    request.component = slot.art;
    request.slot = slot.artSlot;
    request.page = component.page;
    request.encoding = slot.encoding == layout::Encoding::kJpeg ? artgen::Encoding::kJpeg
                                                                : artgen::Encoding::kBitmap;
    request.width = slot.width;
    request.height = slot.height;
    request.depth = slot.encoding == layout::Encoding::kJpeg ? 24 : slot.depth;
    return Art{artgen::DrawPicture(request), "the art generator"};
  };
}

}  // namespace pack

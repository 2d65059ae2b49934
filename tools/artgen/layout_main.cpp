// artgen-layout <layout file> <real-art folder> <output folder>
// Writes every picture a layout names, as the build would pack it, into
// <output folder>/<form class>/<component>.<slot>.bmp|jpg, so that people can look at the art
// (and use the files as a starting point for real art, which takes the same names).
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/layout/Layout.h"
#include "tools/pack/ArtFolder.h"
#include "tools/pack/Pack.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: artgen-layout <layout file> <real-art folder> <output folder>\n";
    return 2;
  }
  try {
    const layout::Layout parsed = layout::ReadLayoutFile(argv[1]);
    const pack::ArtSource art = pack::RealOrGeneratedArt(argv[2]);
    const std::filesystem::path folder = std::filesystem::path(argv[3]) / parsed.Form().className;
    std::filesystem::create_directories(folder);
    int written = 0;
    for (const layout::Component& component : parsed.components) {
      for (const layout::PictureSlot& slot : component.pictures) {
        const pack::Art picture = art(parsed, component, slot);
        pack::CheckArt(picture, parsed, slot);
        const char* extension = slot.encoding == layout::Encoding::kJpeg ? ".jpg" : ".bmp";
        const std::filesystem::path path = folder / (component.name + "." + slot.slot + extension);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(picture.bytes.data()),
                  static_cast<std::streamsize>(picture.bytes.size()));
        out.close();
        if (!out) throw std::runtime_error(path.string() + ": cannot be written");
        ++written;
      }
    }
    std::cout << written << " pictures in " << folder.string() << "\n";
  } catch (const std::exception& error) {
    std::cerr << "artgen-layout: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

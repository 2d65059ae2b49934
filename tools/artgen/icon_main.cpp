// Draws the program's icon at every size it carries into one Windows icon file:
//   artgen-icon <output.ico>
#include <exception>
#include <fstream>
#include <iostream>
#include <vector>

#include "tools/artgen/Icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: artgen-icon <output.ico>\n";
    return 2;
  }
  try {
    std::vector<artgen::RgbaImage> images;
    for (int size : artgen::kProgramIconSizes) images.push_back(artgen::DrawProgramIcon(size));
    const std::vector<std::uint8_t> bytes = artgen::EncodeIco(images);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << "artgen-icon: cannot write " << argv[1] << "\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}

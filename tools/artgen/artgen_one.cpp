// Draws one picture to a file, to look at it:
//   artgen-one <form> <component> <slot> <page> <bmp|jpeg> <W>x<H> <depth> <output>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/artgen/Art.h"

int main(int argc, char** argv) {
  if (argc != 9) {
    std::cerr << "usage: artgen-one <form> <component> <slot> <page> <bmp|jpeg> <W>x<H> <depth> "
                 "<output>\n";
    return 2;
  }
  try {
    artgen::ArtRequest request;
    request.form = argv[1];
    request.component = argv[2];
    request.slot = argv[3];
    request.page = argv[4];
    const std::string encoding = argv[5];
    if (encoding == "bmp") {
      request.encoding = artgen::Encoding::kBitmap;
    } else if (encoding == "jpeg" || encoding == "jpg") {
      request.encoding = artgen::Encoding::kJpeg;
    } else {
      std::cerr << "artgen-one: encoding must be bmp or jpeg, not " << encoding << "\n";
      return 2;
    }
    if (std::sscanf(argv[6], "%dx%d", &request.width, &request.height) != 2) {
      std::cerr << "artgen-one: size must be WxH, not " << argv[6] << "\n";
      return 2;
    }
    request.depth = std::stoi(argv[7]);
    const std::vector<std::uint8_t> bytes = artgen::DrawPicture(request);
    std::ofstream out(argv[8], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << "artgen-one: cannot write " << argv[8] << "\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}

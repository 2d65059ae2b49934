// pack <layout file> <real-art folder> <store file>
// Packs one form's layout and its art into its picture store. The store file is written
// beside its final name and renamed into place, so a failed run leaves no broken store.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/layout/Layout.h"
#include "tools/pack/ArtFolder.h"
#include "tools/pack/Pack.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: pack <layout file> <real-art folder> <store file>\n";
    return 2;
  }
  const std::filesystem::path out = argv[3];
  const std::filesystem::path partial = out.string() + ".partial";
  try {
    const layout::Layout parsed = layout::ReadLayoutFile(argv[1]);
    const std::vector<std::uint8_t> store =
        pack::BuildStore(parsed, pack::RealOrGeneratedArt(argv[2]));
    std::filesystem::create_directories(out.parent_path());
    {
      std::ofstream file(partial, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(store.data()),
                 static_cast<std::streamsize>(store.size()));
      file.close();
      if (!file) throw pack::PackError(partial.string() + ": cannot be written");
    }
    std::filesystem::rename(partial, out);
  } catch (const std::exception& error) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    std::cerr << "pack: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

// Pictures and folders made by the tests themselves: BMP files in the stored form, small JPEG
// streams encoded with libjpeg-turbo, an art source that fits every slot of a layout, and a
// scratch folder on the host.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "forms/Picture.h"
#include "tools/pack/Pack.h"

namespace testing_pictures {

using Bytes = std::vector<std::uint8_t>;

// A bottom-up BI_RGB BMP of `depth` bits. 8-bit pictures get a colour table of as many
// entries as the colours-used rule gives for `coloursUsed`. Pixel and resolution bytes vary
// with `seed`.
Bytes MakeBitmap(int width, int height, int depth, std::uint32_t coloursUsed = 256,
                 unsigned seed = 1);
// A baseline JPEG stream of the given size.
Bytes MakeJpeg(int width, int height, unsigned seed = 1);

// Art that fits every slot as its layout states it, the same bytes for the same art name and
// slot; `overrides` replaces the art of "<component>.<slot>" entries.
pack::ArtSource FittingArt(std::map<std::string, Bytes> overrides = {});

// The store of a layout text, packed with FittingArt.
Bytes PackText(const std::string& layoutText, std::map<std::string, Bytes> overrides = {});

// The whole file of a stored graphic, packed rows unpacked.
Bytes WholeFile(const forms::TGraphic& graphic);

Bytes ReadHostFile(const std::filesystem::path& path);
void WriteHostFile(const std::filesystem::path& path, const Bytes& bytes);

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Host() const { return host_; }
  // The folder as the POSIX file system's Windows form sees it ("z:/tmp/...").
  std::string Windows() const { return "z:" + host_.string(); }
  // File names in a folder (default: this one), sorted.
  std::vector<std::string> Names(const std::filesystem::path& folder = {}) const;

 private:
  std::filesystem::path host_;
};

}  // namespace testing_pictures

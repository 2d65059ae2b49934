#include "tests/TestPictures.h"

#include <jpeglib.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace testing_pictures {

namespace {

void Put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

unsigned Seed(const std::string& text) {
  unsigned h = 2166136261u;
  for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

}  // namespace

Bytes MakeBitmap(int width, int height, int depth, std::uint32_t coloursUsed, unsigned seed) {
  const std::uint32_t entries =
      depth == 8 ? (coloursUsed >= 1 && coloursUsed <= 255 ? coloursUsed : 256) : 0;
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * depth + 31) / 32 * 4;
  const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 54 + 4 * entries;
  Bytes out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint16_t>(depth));
  Put32(out, 0);
  Put32(out, image);
  Put32(out, 2835 + seed % 7);  // resolution fields vary from picture to picture
  Put32(out, 3780 - seed % 5);
  Put32(out, depth == 8 ? coloursUsed : 0);
  Put32(out, 0);
  for (std::uint32_t i = 0; i < entries; ++i) Put32(out, (i * 0x010203u + seed) & 0xFFFFFFu);
  for (std::uint32_t i = 0; i < image; ++i)
    out.push_back(static_cast<std::uint8_t>((i * 31u + seed * 7u) >> 2));
  return out;
}

Bytes WholeFile(const forms::TGraphic& graphic) {
  Bytes scratch;
  const auto whole = forms::FileBytes(graphic, scratch);
  return Bytes(whole.begin(), whole.end());
}

Bytes MakeJpeg(int width, int height, unsigned seed) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    for (std::size_t x = 0; x < row.size(); ++x)
      row[x] = static_cast<JSAMPLE>(x * 5 + info.next_scanline * 3 + seed * 11);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

pack::ArtSource FittingArt(std::map<std::string, Bytes> overrides) {
  return [overrides](const layout::Layout&, const layout::Component& component,
                     const layout::PictureSlot& slot) {
    if (auto it = overrides.find(component.name + "." + slot.slot); it != overrides.end())
      return pack::Art{it->second, "test art " + it->first};
    const unsigned seed = Seed(slot.art + "." + slot.artSlot);
    if (slot.encoding == layout::Encoding::kJpeg)
      return pack::Art{MakeJpeg(slot.width, slot.height, seed), "fitting art"};
    return pack::Art{MakeBitmap(slot.width, slot.height, slot.depth, 256, seed), "fitting art"};
  };
}

Bytes PackText(const std::string& layoutText, std::map<std::string, Bytes> overrides) {
  return pack::BuildStore(layout::ParseLayout(layoutText, "test.layout"),
                          FittingArt(std::move(overrides)));
}

Bytes ReadHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteHostFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnel-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  host_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  // Read-only files and folders left by a test go too.
  for (auto& entry : std::filesystem::recursive_directory_iterator(host_, error))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(host_, error);
}

std::vector<std::string> ScratchFolder::Names(const std::filesystem::path& folder) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(host_ / folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace testing_pictures

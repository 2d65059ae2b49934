#include "tools/pack/Pack.h"

#include <jpeglib.h>
#include <libdeflate.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "export/PictureCheck.h"
#include "export/PictureStore.h"
#include "export/StoreFormat.h"
#include "forms/Forms.h"

namespace pack {

namespace {

std::string Where(const layout::Layout& layout, const layout::PictureSlot& slot) {
  return layout.file + ":" + std::to_string(slot.line);
}

struct JpegFailure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* failure = reinterpret_cast<JpegFailure*>(info->err);
  (*info->err->format_message)(info, failure->message);
  std::longjmp(failure->jump, 1);
}

// The size of a bitmap's part before its pixel rows, or 0 when the rows do not pay to pack:
// JPEGs and art that does not shrink to nine tenths are stored as they are.
std::size_t RowsStart(const std::vector<std::uint8_t>& bytes) {
  forms::TGraphic graphic;
  varnel::BitmapParts parts;
  if (!varnel::CheckBitmap(bytes, graphic, &parts).empty() || parts.imageSize == 0) return 0;
  return parts.pixelOffset;
}

// The zlib stream of `rows` at libdeflate's strongest level: packing runs once per build, and
// every byte saved is a byte less in the program.
std::vector<std::uint8_t> PackRows(std::span<const std::uint8_t> rows) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(12);
  if (compressor == nullptr) throw PackError("out of memory");
  std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(compressor, rows.size()));
  const std::size_t n =
      libdeflate_zlib_compress(compressor, rows.data(), rows.size(), out.data(), out.size());
  libdeflate_free_compressor(compressor);
  if (n == 0) throw PackError("packing pixel rows failed");
  out.resize(n);
  return out;
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t Checked32(std::size_t value) {
  if (value > 0xFFFFFFFFu) throw PackError("store larger than 4 GiB");
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::string> DecodeJpeg(const std::vector<std::uint8_t>& bytes, int& width,
                                      int& height) {
  // Plain C state only between setjmp and longjmp.
  jpeg_decompress_struct info;
  JpegFailure failure;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = OnJpegError;
  failure.message[0] = '\0';
  if (setjmp(failure.jump)) {
    jpeg_destroy_decompress(&info);
    return std::string(failure.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  const std::size_t stride = std::size_t{info.output_width} * info.output_components;
  JSAMPLE* row = static_cast<JSAMPLE*>((*info.mem->alloc_sarray)(
      reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, static_cast<JDIMENSION>(stride), 1)[0]);
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, &row, 1);
  jpeg_finish_decompress(&info);
  const bool warned = info.err->num_warnings > 0;
  jpeg_destroy_decompress(&info);
  if (warned) return std::string("the stream decodes with warnings (damaged data)");
  return std::nullopt;
}

void CheckArt(const Art& art, const layout::Layout& layout, const layout::PictureSlot& slot) {
  const std::string where = Where(layout, slot) + ": " + slot.slot + " from " + art.origin;
  forms::TGraphic graphic;
  try {
    graphic = varnel::GraphicFromBytes(art.bytes, "picture");
  } catch (const forms::Exception& error) {
    throw PackError(where + ": " + error.what());
  }
  const bool jpeg = graphic.encoding == forms::TPictureEncoding::kJpeg;
  if (jpeg != (slot.encoding == layout::Encoding::kJpeg))
    throw PackError(where + ": the layout states " +
                    (jpeg ? std::string("a bitmap") : std::string("a JPEG")) + ", the art is " +
                    (jpeg ? "a JPEG" : "a bitmap"));
  if (graphic.width != slot.width || graphic.height != slot.height)
    throw PackError(where + ": the layout states " + std::to_string(slot.width) + "x" +
                    std::to_string(slot.height) + ", the art is " + std::to_string(graphic.width) +
                    "x" + std::to_string(graphic.height));
  if (!jpeg && graphic.depth != slot.depth)
    throw PackError(where + ": the layout states depth " + std::to_string(slot.depth) +
                    ", the art has " + std::to_string(graphic.depth));
  if (jpeg) {
    int width = 0, height = 0;
    if (auto problem = DecodeJpeg(art.bytes, width, height))
      throw PackError(where + ": libjpeg cannot read it: " + *problem);
    if (width != slot.width || height != slot.height)
      throw PackError(where + ": libjpeg reads " + std::to_string(width) + "x" +
                      std::to_string(height) + ", the layout states " + std::to_string(slot.width) +
                      "x" + std::to_string(slot.height));
  }
}

std::vector<std::uint8_t> BuildStore(const layout::Layout& layout, const ArtSource& source) {
  namespace st = varnel::store;
  const auto& components = layout.components;

  std::string pool;
  std::map<std::string, std::uint32_t> pooled;
  const auto intern = [&](const std::string& text) {
    auto [it, added] = pooled.emplace(text, Checked32(pool.size()));
    if (added) pool += text;
    return std::pair<std::uint32_t, std::uint32_t>{it->second, Checked32(text.size())};
  };

  struct PictureRow {
    std::uint32_t component, slot, encoding, width, height, depth;
    std::size_t dataOffset, length, packedLength, rowBytes;
  };
  // Where a file's bytes went: its stored part, and its packed rows right after it.
  struct Stored {
    std::size_t offset, length, packedLength, rowBytes;
  };
  std::vector<PictureRow> pictures;
  std::vector<std::uint8_t> data;
  // Whole file -> where it is stored. Only equal files meet, so they are found by a hash of
  // their bytes; an order of files would mean nothing.
  struct FileHash {
    std::size_t operator()(const std::vector<std::uint8_t>& file) const {
      return std::hash<std::string_view>{}(
          std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    }
  };
  std::unordered_map<std::vector<std::uint8_t>, Stored, FileHash> shared;
  std::size_t propertyCount = 0;
  for (std::size_t i = 0; i < components.size(); ++i) {
    propertyCount += components[i].properties.size();
    for (const layout::PictureSlot& slot : components[i].pictures) {
      Art art = source(layout, components[i], slot);
      CheckArt(art, layout, slot);
      auto [it, added] = shared.emplace(std::move(art.bytes), Stored{data.size(), 0, 0, 0});
      if (added) {
        const std::vector<std::uint8_t>& file = it->first;
        Stored& stored = it->second;
        const std::size_t rowsStart = RowsStart(file);
        std::vector<std::uint8_t> packed;
        if (rowsStart != 0)
          packed = PackRows(std::span<const std::uint8_t>(file).subspan(rowsStart));
        if (rowsStart != 0 && packed.size() * 10 < (file.size() - rowsStart) * 9) {
          data.insert(data.end(), file.begin(), file.begin() + static_cast<long>(rowsStart));
          data.insert(data.end(), packed.begin(), packed.end());
          stored = Stored{stored.offset, rowsStart, packed.size(), file.size() - rowsStart};
        } else {
          data.insert(data.end(), file.begin(), file.end());
          stored.length = file.size();
        }
      }
      const Stored& stored = it->second;
      const auto slotIndex = static_cast<std::uint32_t>(
          std::find(st::kSlotNames.begin(), st::kSlotNames.end(), slot.slot) -
          st::kSlotNames.begin());
      if (slotIndex >= st::kSlotNames.size()) throw PackError("unknown slot " + slot.slot);
      pictures.push_back(
          {static_cast<std::uint32_t>(i), slotIndex,
           slot.encoding == layout::Encoding::kJpeg ? st::kEncodingJpeg : st::kEncodingBitmap,
           static_cast<std::uint32_t>(slot.width), static_cast<std::uint32_t>(slot.height),
           static_cast<std::uint32_t>(slot.depth), stored.offset, stored.length,
           stored.packedLength, stored.rowBytes});
    }
  }

  // Records refer to the pool by offset; intern every string first.
  std::vector<std::uint8_t> componentRecords, propertyRecords;
  std::size_t firstProperty = 0, firstPicture = 0;
  for (std::size_t i = 0; i < components.size(); ++i) {
    const layout::Component& c = components[i];
    const auto name = intern(c.name);
    const auto cls = intern(c.className);
    AppendU32(componentRecords, name.first);
    AppendU32(componentRecords, name.second);
    AppendU32(componentRecords, cls.first);
    AppendU32(componentRecords, cls.second);
    AppendU32(componentRecords,
              c.parent < 0 ? st::kNoParent : static_cast<std::uint32_t>(c.parent));
    AppendU32(componentRecords, Checked32(firstProperty));
    AppendU32(componentRecords, Checked32(c.properties.size()));
    AppendU32(componentRecords, Checked32(firstPicture));
    AppendU32(componentRecords, Checked32(c.pictures.size()));
    firstProperty += c.properties.size();
    firstPicture += c.pictures.size();
    for (const auto& [key, value] : c.properties) {
      const auto k = intern(key);
      const auto v = intern(value);
      for (std::uint32_t field : {k.first, k.second, v.first, v.second})
        AppendU32(propertyRecords, field);
    }
  }

  std::vector<std::uint32_t> index(components.size());
  std::iota(index.begin(), index.end(), 0u);
  std::sort(index.begin(), index.end(), [&](std::uint32_t a, std::uint32_t b) {
    return varnel::CompareNamesIgnoringCase(components[a].name, components[b].name) < 0;
  });

  const std::size_t componentsAt = st::kHeaderSize;
  const std::size_t propertiesAt = componentsAt + componentRecords.size();
  const std::size_t picturesAt = propertiesAt + propertyRecords.size();
  const std::size_t indexAt = picturesAt + pictures.size() * st::kPictureRecord;
  const std::size_t stringsAt = indexAt + index.size() * 4;
  const std::size_t dataAt = (stringsAt + pool.size() + 3) / 4 * 4;
  const std::size_t total = dataAt + data.size();

  std::vector<std::uint8_t> out(st::kHeaderSize, 0);
  std::copy(st::kMagic.begin(), st::kMagic.end(), out.begin());
  PutU32(out, st::field::kVersion, st::kStoreVersion);
  PutU32(out, st::field::kSize, Checked32(total));
  PutU32(out, st::field::kComponentCount, Checked32(components.size()));
  PutU32(out, st::field::kComponents, Checked32(componentsAt));
  PutU32(out, st::field::kPropertyCount, Checked32(propertyCount));
  PutU32(out, st::field::kProperties, Checked32(propertiesAt));
  PutU32(out, st::field::kPictureCount, Checked32(pictures.size()));
  PutU32(out, st::field::kPictures, Checked32(picturesAt));
  PutU32(out, st::field::kIndex, Checked32(indexAt));
  PutU32(out, st::field::kStrings, Checked32(stringsAt));
  PutU32(out, st::field::kStringsSize, Checked32(pool.size()));
  PutU32(out, st::field::kData, Checked32(dataAt));
  PutU32(out, st::field::kDataSize, Checked32(data.size()));
  out.insert(out.end(), componentRecords.begin(), componentRecords.end());
  out.insert(out.end(), propertyRecords.begin(), propertyRecords.end());
  for (const PictureRow& p : pictures)
    for (std::uint32_t field : {p.component, p.slot, p.encoding, p.width, p.height, p.depth,
                                Checked32(dataAt + p.dataOffset), Checked32(p.length),
                                Checked32(p.packedLength), Checked32(p.rowBytes)})
      AppendU32(out, field);
  for (std::uint32_t entry : index) AppendU32(out, entry);
  out.insert(out.end(), pool.begin(), pool.end());
  out.resize(dataAt, 0);
  out.insert(out.end(), data.begin(), data.end());
  PutU32(out, st::field::kChecksum,
         st::Crc32(std::span<const std::uint8_t>(out).subspan(st::kChecksumStart)));

  // What the program will do with it: load it and unpack every picture, and refuse the build
  // if it cannot or a picture comes back other than its art.
  try {
    const varnel::PictureStore loaded = varnel::PictureStore::Load(out, layout.Form().className);
    std::vector<std::uint8_t> scratch;
    for (const auto& entry : shared) {
      const std::vector<std::uint8_t>& file = entry.first;
      const std::size_t offset = dataAt + entry.second.offset;
      const auto found =
          std::find_if(loaded.Pictures().begin(), loaded.Pictures().end(),
                       [offset](const auto& picture) { return picture.offset == offset; });
      if (found == loaded.Pictures().end()) throw PackError("a stored picture went missing");
      const auto whole = forms::FileBytes(found->graphic, scratch);
      if (!std::equal(whole.begin(), whole.end(), file.begin(), file.end()))
        throw PackError("a stored picture does not come back as its art");
    }
  } catch (const forms::Exception& error) {
    throw PackError(layout.file + ": the packed store does not load: " + error.what());
  } catch (const PackError& error) {
    throw PackError(layout.file + ": " + error.what());
  }
  return out;
}

std::optional<std::string> FindRealArt(const std::string& folder, const std::string& formClass,
                                       const std::string& artName, const std::string& slot) {
  namespace fs = std::filesystem;
  const auto same = [](std::string a, std::string b) {
    return varnel::CompareNamesIgnoringCase(a, b) == 0;
  };
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return std::nullopt;
  for (const auto& form : fs::directory_iterator(folder, error)) {
    if (!form.is_directory() || !same(form.path().filename().string(), formClass)) continue;
    for (const auto& file : fs::directory_iterator(form.path(), error)) {
      if (!file.is_regular_file()) continue;
      const std::string name = file.path().filename().string();
      for (const char* extension : {".bmp", ".jpg", ".jpeg"})
        if (same(name, artName + "." + slot + extension)) return file.path().string();
    }
  }
  return std::nullopt;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PackError(path + ": cannot be read");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace pack

#include "export/PictureFile.h"

#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "export/PictureCheck.h"
#include "forms/Forms.h"
#include "platform/FileSystem.h"

namespace varnel {

namespace {

using Bytes = std::span<const std::uint8_t>;

void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The system's text without its trailing full stops and white space.
std::string TrimmedErrorText(const platform::Status& status) {
  std::string text = status.text();
  while (!text.empty() && (text.back() == '.' || text.back() == ' ' || text.back() == '\t' ||
                           text.back() == '\r' || text.back() == '\n'))
    text.pop_back();
  return text;
}

forms::Exception CannotCreate(platform::FileSystem& fs, const std::string& path,
                              const platform::Status& status) {
  return forms::Exception("Cannot create file \"" + fs.FullPath(path) + "\". " +
                          TrimmedErrorText(status));
}

forms::Exception StreamWriteError(const platform::Status& status) {
  return forms::Exception("Stream write error", status.text());
}

// `name` in the folder of `path`, spelled with the same folder text.
std::string Beside(const std::string& path, std::string_view name) {
  const std::size_t cut = path.find_last_of("/\\");
  if (cut != std::string::npos) return path.substr(0, cut + 1) + std::string(name);
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + std::string(name);
  return std::string(name);
}

std::atomic<unsigned> temporaryCounter{0};

}  // namespace

bool IsTemporaryName(std::string_view fileName) {
  if (fileName.size() <= kTemporaryPrefix.size() + kTemporarySuffix.size()) return false;
  if (!fileName.starts_with(kTemporaryPrefix) || !fileName.ends_with(kTemporarySuffix))
    return false;
  const std::string_view number = fileName.substr(
      kTemporaryPrefix.size(), fileName.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
  for (char c : number)
    if (c < '0' || c > '9') return false;
  return true;
}

void RemoveLeftoverTemporaries(platform::FileSystem& fs, const std::string& folder) {
  std::vector<std::string> names;
  if (!fs.ListDirectory(folder, names).ok()) return;
  for (const std::string& name : names)
    if (IsTemporaryName(name)) (void)fs.DeleteFile(folder + "\\" + name);
}

void PrepareFile(const forms::TGraphic& graphic, std::span<std::uint8_t> file) {
  if (file.size() != graphic.FileSize())
    throw forms::Exception("Cannot write a damaged picture: its file size is wrong");
  if (graphic.encoding != forms::TPictureEncoding::kBitmap) {
    std::copy(graphic.bytes.begin(), graphic.bytes.end(), file.begin());
    return;
  }
  forms::TGraphic checked;
  BitmapParts parts;
  const std::string reason =
      CheckBitmap(graphic.bytes, checked, &parts, graphic.Packed() ? graphic.rowBytes : 0);
  if (!reason.empty()) throw forms::Exception("Cannot write a damaged picture: " + reason);
  // The check makes the parts fill the file exactly: 14 + 40 + table + rows.
  std::uint8_t* header = file.data();
  std::uint8_t* info = header + kBmpFileHeaderSize;
  const std::size_t tableBytes = 4 * parts.tableEntries;
  header[0] = 'B';
  header[1] = 'M';
  PutU32(header + 2, static_cast<std::uint32_t>(parts.pixelOffset + parts.imageSize));
  PutU32(header + 6, 0);
  PutU32(header + 10, static_cast<std::uint32_t>(parts.pixelOffset));
  std::memcpy(info, graphic.bytes.data() + kBmpFileHeaderSize, kBmpInfoHeaderSize);
  if (parts.tableEntries > 0)
    PutU32(info + kBmpColoursUsedField, static_cast<std::uint32_t>(parts.tableEntries));
  std::memcpy(info + kBmpInfoHeaderSize,
              graphic.bytes.data() + kBmpFileHeaderSize + kBmpInfoHeaderSize, tableBytes);
  const std::span<std::uint8_t> pixels = file.subspan(parts.pixelOffset, parts.imageSize);
  if (graphic.Packed())
    forms::UnpackRows(graphic, pixels);
  else
    std::memcpy(pixels.data(), graphic.bytes.data() + parts.pixelOffset, parts.imageSize);
}

void WriteGraphic(platform::FileSystem& fs, const forms::TGraphic& graphic, const std::string& path,
                  std::span<const std::uint8_t> prepared) {
  // A bitmap's file is put together in a buffer kept for the thread's next writes.
  thread_local std::unique_ptr<std::uint8_t[]> scratch;
  thread_local std::size_t scratchSize = 0;
  if (prepared.empty() || prepared.size() != graphic.FileSize()) {
    if (graphic.encoding != forms::TPictureEncoding::kBitmap) {
      prepared = graphic.bytes;
    } else {
      const std::size_t size = graphic.FileSize();
      if (scratchSize < size) {
        scratch.reset();
        scratch.reset(new std::uint8_t[size]);
        scratchSize = size;
      }
      PrepareFile(graphic, std::span<std::uint8_t>(scratch.get(), size));
      prepared = std::span<const std::uint8_t>(scratch.get(), size);
    }
  }
  const std::array<Bytes, 1> parts{prepared};
  const auto writeAll = [&](platform::File& file) {
    const platform::Status written = file.WriteParts(parts);
    const platform::Status closed = file.Close();
    return written.ok() ? closed : written;
  };

  // Where nothing stands at the target there is no previous file to keep: the picture is
  // written in place, and a failed write deletes what it began. Refusing anything that exists
  // (O_EXCL, CREATE_NEW) makes this safe against a file that appears meanwhile.
  std::unique_ptr<platform::File> file;
  if (const platform::Status created = fs.CreateFile(path, /*mustBeNew=*/true, file);
      created.ok()) {
    if (const platform::Status written = writeAll(*file); !written.ok()) {
      file.reset();
      (void)fs.DeleteFile(path);
      throw StreamWriteError(written);
    }
    return;
  } else if (!created.Exists()) {
    throw CannotCreate(fs, path, created);
  }

  // Something stands at the target: a new temporary file beside it, which then replaces it in
  // one step. A link standing at the target is replaced as itself: nothing is written through
  // it. The replacement refuses a folder or a read-only file, as CreateFile would, and the
  // temporary file is deleted again; an installed tree is checked once a file this way, by the
  // move, not also before it.
  std::string temporary;
  for (int attempt = 0;; ++attempt) {
    temporary = Beside(path, std::string(kTemporaryPrefix) + std::to_string(++temporaryCounter) +
                                 std::string(kTemporarySuffix));
    const platform::Status created = fs.CreateFile(temporary, /*mustBeNew=*/true, file);
    if (created.ok()) break;
    if (!created.Exists() || attempt >= 100) throw CannotCreate(fs, path, created);
  }

  const platform::Status written = writeAll(*file);
  file.reset();
  if (!written.ok()) {
    (void)fs.DeleteFile(temporary);
    throw StreamWriteError(written);
  }
  if (const platform::Status moved = fs.MoveReplace(temporary, path); !moved.ok()) {
    (void)fs.DeleteFile(temporary);
    throw CannotCreate(fs, path, moved);
  }
}

void SaveToFile(platform::FileSystem& fs, const forms::TPicture& picture, const std::string& path) {
  if (const forms::TGraphic* graphic = picture.Graphic()) WriteGraphic(fs, *graphic, path);
}

void SaveGraphicToFile(platform::FileSystem& fs, const forms::TPicture& picture,
                       const std::string& path) {
  const forms::TGraphic* graphic = picture.Graphic();
  if (graphic == nullptr) throw forms::Exception(kEmptyPictureText);
  WriteGraphic(fs, *graphic, path);
}

}  // namespace varnel

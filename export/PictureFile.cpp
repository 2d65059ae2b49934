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

// The bitmap's four parts as they are written; the headers are kept in `headers`, packed
// pixel rows are unpacked into `rows`.
std::vector<Bytes> BitmapWrites(
    const forms::TGraphic& graphic,
    std::array<std::uint8_t, kBmpFileHeaderSize + kBmpInfoHeaderSize>& headers,
    std::span<const std::uint8_t> unpackedRows, std::vector<std::uint8_t>& rows) {
  forms::TGraphic checked;
  BitmapParts parts;
  const std::string reason =
      CheckBitmap(graphic.bytes, checked, &parts, graphic.Packed() ? graphic.rowBytes : 0);
  if (!reason.empty()) throw forms::Exception("Cannot write a damaged picture: " + reason);
  std::uint8_t* file = headers.data();
  std::uint8_t* info = headers.data() + kBmpFileHeaderSize;
  const std::size_t tableBytes = 4 * parts.tableEntries;
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file + 2, static_cast<std::uint32_t>(parts.pixelOffset + parts.imageSize));
  PutU32(file + 6, 0);
  PutU32(file + 10, static_cast<std::uint32_t>(parts.pixelOffset));
  std::memcpy(info, graphic.bytes.data() + kBmpFileHeaderSize, kBmpInfoHeaderSize);
  if (parts.tableEntries > 0)
    PutU32(info + kBmpColoursUsedField, static_cast<std::uint32_t>(parts.tableEntries));
  Bytes pixels;
  if (graphic.Packed() && unpackedRows.size() == parts.imageSize) {
    pixels = unpackedRows;
  } else if (graphic.Packed()) {
    rows.resize(parts.imageSize);
    forms::UnpackRows(graphic, rows);
    pixels = rows;
  } else {
    pixels = graphic.bytes.subspan(parts.pixelOffset, parts.imageSize);
  }
  return {Bytes(file, kBmpFileHeaderSize), Bytes(info, kBmpInfoHeaderSize),
          graphic.bytes.subspan(kBmpFileHeaderSize + kBmpInfoHeaderSize, tableBytes), pixels};
}

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

void WriteGraphic(platform::FileSystem& fs, const forms::TGraphic& graphic, const std::string& path,
                  std::span<const std::uint8_t> unpackedRows) {
  std::array<std::uint8_t, kBmpFileHeaderSize + kBmpInfoHeaderSize> headers{};
  thread_local std::vector<std::uint8_t> rows;
  const std::vector<Bytes> parts = graphic.encoding == forms::TPictureEncoding::kBitmap
                                       ? BitmapWrites(graphic, headers, unpackedRows, rows)
                                       : std::vector<Bytes>{graphic.bytes};
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

  // What CreateFile would refuse at the target, refused before anything is created.
  const platform::PathInfo existing = fs.Inspect(path);
  if (existing.kind == platform::PathKind::kDirectory ||
      (existing.kind == platform::PathKind::kFile && existing.readOnly))
    throw CannotCreate(fs, path, fs.Error(platform::SysError::kAccessDenied));

  // Otherwise a new temporary file beside the target, which then replaces it in one step. A link
  // standing at the target is replaced as itself: nothing is written through it.
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

// Writing a picture to a file: the stored bytes in the picture's own encoding, whatever the
// file name's extension says, and never decoded. A bitmap's four parts (file header, info
// header, colour table, pixel rows) are put together first, so every file goes out in one
// write, as a JPEG does.
//
// A write never leaves a partial file at the target, nor a good file truncated:
// - where nothing stands at the target, the file is created new (refusing anything that
//   appears meanwhile) and written in place; a failed write deletes it;
// - where a file stands, the picture is written into a new temporary file beside it, in the
//   same folder, which then replaces the target in one step; a failed write deletes the
//   temporary file and leaves the previous file as it was.
// Errors:
// - "Cannot create file "<full path of the target>". <system text without trailing full
//   stops>" for a missing folder, a folder or a read-only file at the target, or a temporary
//   file that cannot be created or cannot replace the target;
// - "Stream write error" when a write stops short (a full disk) or the file cannot be closed,
//   with the system's reason as the error's detail.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "forms/Forms.h"
#include "forms/Picture.h"

namespace platform {
class FileSystem;
}

namespace varnel {

// Temporary files are named kTemporaryPrefix + number + kTemporarySuffix; no product file is.
inline constexpr std::string_view kTemporaryPrefix = "~instalador-";
inline constexpr std::string_view kTemporarySuffix = ".tmp";
// Whether a file name (without folder) is one of our temporary files.
bool IsTemporaryName(std::string_view fileName);

// Deletes the temporary files that a run killed while writing left in `folder`, so that a run
// after it leaves exactly the tree of a clean run. Failures are passed over.
void RemoveLeftoverTemporaries(platform::FileSystem& fs, const std::string& folder);

// The error of the image form of SaveToFile on an empty slot.
inline constexpr const char* kEmptyPictureText = "Cannot save an empty picture";

// Fills `file`, which holds exactly graphic.FileSize() bytes, with the file WriteGraphic writes
// for `graphic`: a bitmap's headers (its size fields made exact), colour table and pixel rows,
// packed rows unpacked; a JPEG's bytes. Raises forms::Exception for a damaged picture.
void PrepareFile(const forms::TGraphic& graphic, std::span<std::uint8_t> file);

// Writes the graphic's bytes to `path` as described above, in one write. The file is prepared
// here, unless `prepared` already holds it (PrepareFile's bytes for this graphic).
void WriteGraphic(platform::FileSystem& fs, const forms::TGraphic& graphic, const std::string& path,
                  std::span<const std::uint8_t> prepared = {});

// SaveToFile of the picture: writes nothing, and reports nothing, when the picture is empty.
void SaveToFile(platform::FileSystem& fs, const forms::TPicture& picture, const std::string& path);
// SaveToFile of the picture's image: an empty picture is an error (kEmptyPictureText).
void SaveGraphicToFile(platform::FileSystem& fs, const forms::TPicture& picture,
                       const std::string& path);

}  // namespace varnel

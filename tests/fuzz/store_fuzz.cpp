// libFuzzer target: any bytes given to the store loader either load, with every picture inside
// the bytes and every packed picture unpacking to its stated size or raising an error, or
// raise the load error; nothing else (the sanitizers catch every bad read).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "export/PictureCheck.h"
#include "export/PictureStore.h"
#include "export/StoreFormat.h"
#include "forms/Forms.h"

namespace {

void LoadAndUse(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
    const varnel::PictureStore store = varnel::PictureStore::Load(bytes, "FUZZ");
    for (const varnel::StoredComponent& c : store.Components()) {
      if (store.Find(c.name) == nullptr) std::abort();
      for (const varnel::StoredPicture& p : c.pictures) {
        const auto& g = p.graphic;
        if (g.bytes.data() < data || g.bytes.data() + g.bytes.size() > data + size) std::abort();
        if (!g.Packed()) continue;
        if (g.packedRows.data() < data || g.packedRows.data() + g.packedRows.size() > data + size)
          std::abort();
        try {
          std::vector<std::uint8_t> scratch;
          if (forms::FileBytes(g, scratch).size() != g.FileSize()) std::abort();
        } catch (const forms::Exception&) {
        }
      }
    }
  } catch (const forms::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  LoadAndUse(data, size);
  // The same bytes with their checksum made right, so that a mutation reaches the checks
  // behind it instead of stopping at the checksum.
  if (size >= varnel::store::kHeaderSize) {
    std::vector<std::uint8_t> sealed(data, data + size);
    const std::uint32_t crc = varnel::store::Crc32(
        std::span<const std::uint8_t>(sealed).subspan(varnel::store::kChecksumStart));
    for (int i = 0; i < 4; ++i)
      sealed[varnel::store::field::kChecksum + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    LoadAndUse(sealed.data(), sealed.size());
  }
  // The picture checks alone, on the raw bytes.
  forms::TGraphic graphic;
  (void)varnel::CheckBitmap(bytes, graphic);
  (void)varnel::CheckJpeg(bytes, graphic);
  return 0;
}

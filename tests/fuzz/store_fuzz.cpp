// libFuzzer target: any bytes given to the store loader either load, with every picture inside
// the bytes, or raise the load error; nothing else (the sanitizers catch every bad read).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "export/PictureCheck.h"
#include "export/PictureStore.h"
#include "forms/Forms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
    const varnel::PictureStore store = varnel::PictureStore::Load(bytes, "FUZZ");
    for (const varnel::StoredComponent& c : store.Components()) {
      if (store.Find(c.name) == nullptr) std::abort();
      for (const varnel::StoredPicture& p : c.pictures) {
        const auto& g = p.graphic;
        if (g.bytes.data() < data || g.bytes.data() + g.bytes.size() > data + size) std::abort();
      }
    }
  } catch (const forms::Exception&) {
  }
  // The picture checks alone, on the raw bytes.
  forms::TGraphic graphic;
  (void)varnel::CheckBitmap(bytes, graphic);
  (void)varnel::CheckJpeg(bytes, graphic);
  return 0;
}

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "export/PictureFile.h"
#include "export/PictureStore.h"
#include "export/StoreFormat.h"
#include "forms/Forms.h"
#include "platform/posix/PosixFileSystem.h"
#include "tests/TestPictures.h"

namespace varnel {
namespace {

using testing_pictures::Bytes;
using testing_pictures::MakeBitmap;
using testing_pictures::MakeJpeg;
using testing_pictures::PackText;

constexpr const char* kLayout = R"(object Sheet: TSheet
  Caption = 'Sheet'
  object Panel1: TPanel
    Caption = ''
    object ClienteAzul: TImageTri
      Visible = False
      Picture = bitmap 6x5 8
      Picture1 = bitmap 6x5 8 art=ClienteCinza
      Picture2 = bitmap 6x9 24
    end
    object fundopet: TImage
      Picture = jpeg 40x30 art=fundoselvo
    end
  end
  object ClienteCinza: TImageTri
    Picture1 = bitmap 6x5 8
  end
  object fundoselvo: TImage
    Picture = jpeg 40x30
  end
  object Edit1: TEdit
    Text = 'C:'
  end
end
)";

std::uint32_t U32(const Bytes& b, std::size_t at) {
  return store::ReadU32(b.data() + at);
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Reseal(Bytes& b) {
  Set32(b, store::field::kChecksum,
        store::Crc32(std::span<const std::uint8_t>(b).subspan(store::kChecksumStart)));
}
std::size_t PictureRecord(const Bytes& b, std::size_t i) {
  return U32(b, store::field::kPictures) + i * store::kPictureRecord;
}
std::size_t ComponentRecord(const Bytes& b, std::size_t i) {
  return U32(b, store::field::kComponents) + i * store::kComponentRecord;
}
// Where the bytes of picture `i` begin.
std::size_t PictureData(const Bytes& b, std::size_t i) {
  return U32(b, PictureRecord(b, i) + 24);
}

TEST(PictureStore, CrcIsZlibs) {
  Bytes bytes(1000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  for (std::size_t n : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 999u, 1000u}) {
    const auto expected = crc32(0L, bytes.data(), static_cast<uInt>(n));
    EXPECT_EQ(store::Crc32(std::span<const std::uint8_t>(bytes).first(n)), expected) << n;
  }
}

TEST(PictureStore, LoadsTreePropertiesAndPictures) {
  const Bytes bytes = PackText(kLayout);
  const PictureStore s = PictureStore::Load(bytes, "TSHEET");
  const auto& components = s.Components();
  ASSERT_EQ(components.size(), 7u);
  EXPECT_EQ(components[0].name, "Sheet");
  EXPECT_EQ(components[0].className, "TSheet");
  EXPECT_EQ(components[0].parent, -1);
  ASSERT_EQ(components[0].properties.size(), 1u);
  EXPECT_EQ(components[0].properties[0].value, "Sheet");

  // Names without regard to case; absent names and slots are null.
  for (const char* name : {"clienteazul", "CLIENTEAZUL", "ClienteAzul"}) {
    const StoredComponent* c = s.Find(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->name, "ClienteAzul");
    EXPECT_EQ(c->className, "TImageTri");
    EXPECT_EQ(c->parent, 1);
    ASSERT_EQ(c->properties.size(), 1u);
    EXPECT_EQ(c->properties[0].key, "Visible");
  }
  for (const char* name : {"Edit1", "edit1", "FUNDOSELVO", "panel1", "sheet"})
    EXPECT_NE(s.Find(name), nullptr) << name;
  for (const char* name : {"ClienteAzu", "ClienteAzul1", "", "Edit"})
    EXPECT_EQ(s.Find(name), nullptr) << name;
  EXPECT_EQ(s.FindPicture("clienteazul", "Picture3"), nullptr);
  EXPECT_EQ(s.FindPicture("Edit1", "Picture"), nullptr);

  const StoredPicture* hover = s.FindPicture("clienteAZUL", "picture2");
  ASSERT_NE(hover, nullptr);
  EXPECT_EQ(hover->graphic.encoding, forms::TPictureEncoding::kBitmap);
  EXPECT_EQ(hover->graphic.width, 6);
  EXPECT_EQ(hover->graphic.height, 9);
  EXPECT_EQ(hover->graphic.depth, 24);
  // In place: the picture's bytes lie inside the store's bytes.
  EXPECT_EQ(hover->graphic.bytes.data(), bytes.data() + hover->offset);
  const StoredPicture* background = s.FindPicture("FundoPet", "Picture");
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->graphic.encoding, forms::TPictureEncoding::kJpeg);
  EXPECT_EQ(background->graphic.width, 40);
  EXPECT_EQ(background->graphic.height, 30);

  // The same art is stored once; different art is not.
  EXPECT_EQ(s.FindPicture("ClienteAzul", "Picture1")->offset,
            s.FindPicture("ClienteCinza", "Picture1")->offset);
  EXPECT_EQ(background->offset, s.FindPicture("fundoselvo", "Picture")->offset);
  EXPECT_NE(s.FindPicture("ClienteAzul", "Picture")->offset,
            s.FindPicture("ClienteAzul", "Picture1")->offset);
}

TEST(PictureStore, DamageIsALoadError) {
  const Bytes good = PackText(kLayout);
  // Pictures in store order: 0 ClienteAzul.Picture (8-bit), 1 .Picture1, 2 .Picture2 (24-bit),
  // 3 fundopet.Picture (JPEG), 4 ClienteCinza.Picture1, 5 fundoselvo.Picture.
  const auto jpegFrame = [](const Bytes& b) {
    for (std::size_t at = PictureData(b, 3); at + 1 < b.size(); ++at)
      if (b[at] == 0xFF && b[at + 1] == 0xC0) return at;
    return std::size_t{0};
  };
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    bool reseal;
    const char* message;
  };
  const Case cases[] = {
      {"empty", [](Bytes& b) { b.clear(); }, false, "shorter than its header"},
      {"truncated header", [](Bytes& b) { b.resize(40); }, false, "shorter than its header"},
      {"truncated", [](Bytes& b) { b.pop_back(); }, false, "size field says"},
      {"longer", [](Bytes& b) { b.push_back(0); }, false, "size field says"},
      {"wrong magic", [](Bytes& b) { b[0] = 'X'; }, false, "not a picture store (wrong magic)"},
      {"wrong version", [](Bytes& b) { Set32(b, store::field::kVersion, 1); }, false,
       "format version 1, expected 2"},
      {"flipped data byte", [](Bytes& b) { b[b.size() - 100] ^= 1; }, false,
       "checksum does not match"},
      {"flipped checksum", [](Bytes& b) { b[store::field::kChecksum] ^= 0x80; }, false,
       "checksum does not match"},
      {"component table outside", [](Bytes& b) { Set32(b, store::field::kComponents, 0x7FFFFFF0); },
       true, "component table lies outside the store"},
      {"picture count too large", [](Bytes& b) { Set32(b, store::field::kPictureCount, 1u << 30); },
       true, "picture table lies outside the store"},
      {"string pool outside",
       [](Bytes& b) { Set32(b, store::field::kStringsSize, static_cast<std::uint32_t>(b.size())); },
       true, "string pool lies outside the store"},
      {"name outside pool", [](Bytes& b) { Set32(b, ComponentRecord(b, 2), 0xFFFFFF00u); }, true,
       "a component name lies outside the string pool"},
      {"picture offset out of range",
       [](Bytes& b) { Set32(b, PictureRecord(b, 2) + 24, static_cast<std::uint32_t>(b.size())); },
       true, "picture 2 lies outside the picture data"},
      {"picture offset before the data", [](Bytes& b) { Set32(b, PictureRecord(b, 2) + 24, 0); },
       true, "picture 2 lies outside the picture data"},
      {"picture length past the end",
       [](Bytes& b) { Set32(b, PictureRecord(b, 5) + 28, 0xFFFFFFFFu); }, true,
       "picture 5 lies outside the picture data"},
      {"unknown slot", [](Bytes& b) { Set32(b, PictureRecord(b, 0) + 4, 4); }, true,
       "picture 0 has an unknown slot"},
      {"unknown encoding", [](Bytes& b) { Set32(b, PictureRecord(b, 0) + 8, 3); }, true,
       "picture 0: unknown encoding"},
      {"bitmap without BM", [](Bytes& b) { b[PictureData(b, 2) + 1] = 'X'; }, true,
       "picture 2: bitmap does not start with BM"},
      {"bitmap info header size", [](Bytes& b) { b[PictureData(b, 2) + 14] = 108; }, true,
       "picture 2: bitmap info header is not 40 bytes"},
      {"bitmap top-down",
       [](Bytes& b) { Set32(b, PictureData(b, 2) + 22, static_cast<std::uint32_t>(-9)); }, true,
       "picture 2: bitmap height is not positive"},
      {"bitmap compressed", [](Bytes& b) { b[PictureData(b, 2) + 30] = 1; }, true,
       "picture 2: bitmap is compressed"},
      {"bitmap depth 16", [](Bytes& b) { b[PictureData(b, 2) + 28] = 16; }, true,
       "picture 2: bitmap depth is not 8, 24 or 32"},
      {"bitmap file-size field", [](Bytes& b) { b[PictureData(b, 2) + 2] ^= 4; }, true,
       "picture 2: bitmap file-size field disagrees with its length"},
      {"bitmap image-size field", [](Bytes& b) { b[PictureData(b, 2) + 34] ^= 4; }, true,
       "picture 2: bitmap image-size field disagrees with its size"},
      {"bitmap width against its data", [](Bytes& b) { b[PictureData(b, 2) + 18] = 7; }, true,
       "picture 2: bitmap image-size field disagrees with its size"},
      {"8-bit table of 300 colours", [](Bytes& b) { Set32(b, PictureData(b, 0) + 46, 300); }, true,
       "picture 0: bitmap colours-used field above 256"},
      {"8-bit table shorter than stated", [](Bytes& b) { Set32(b, PictureData(b, 0) + 46, 16); },
       true, "picture 0: bitmap pixel offset disagrees with its table"},
      {"24-bit with colours", [](Bytes& b) { Set32(b, PictureData(b, 2) + 46, 2); }, true,
       "picture 2: bitmap without colour table counts colours"},
      {"record size disagrees", [](Bytes& b) { Set32(b, PictureRecord(b, 2) + 16, 5); }, true,
       "picture 2 is 6x9 but its record says 6x5"},
      {"JPEG without FFD8", [](Bytes& b) { b[PictureData(b, 3) + 1] = 0xD9; }, true,
       "picture 3: JPEG does not start with FFD8"},
      {"JPEG without FFD9",
       [](Bytes& b) { b[PictureData(b, 3) + U32(b, PictureRecord(b, 3) + 28) - 1] = 0; }, true,
       "picture 3: JPEG does not end with FFD9"},
      {"JPEG header size disagrees", [&](Bytes& b) { b[jpegFrame(b) + 8] = 41; }, true,
       "picture 3 is 41x30 but its record says 40x30"},
      {"JPEG segment runs past its end", [&](Bytes& b) { b[PictureData(b, 3) + 4] = 0xFF; }, true,
       "picture 3: JPEG segment runs past its end"},
      {"JPEG without frame header", [&](Bytes& b) { b[jpegFrame(b) + 1] = 0xDA; }, true,
       "picture 3: JPEG has no frame header"},
      {"bad parent", [](Bytes& b) { Set32(b, ComponentRecord(b, 2) + 16, 2); }, true,
       "component 2 has a bad parent"},
      {"form with a parent", [](Bytes& b) { Set32(b, ComponentRecord(b, 0) + 16, 0); }, true,
       "component 0 has a bad parent"},
      {"property ranges overlap", [](Bytes& b) { Set32(b, ComponentRecord(b, 1) + 20, 0); }, true,
       "component 1 has a bad property range"},
      {"picture ranges skip", [](Bytes& b) { Set32(b, ComponentRecord(b, 2) + 32, 2); }, true,
       "component 3 has a bad picture range"},
      {"index repeats an entry",
       [](Bytes& b) {
         Set32(b, U32(b, store::field::kIndex) + 4, U32(b, U32(b, store::field::kIndex)));
       },
       true, "name index is not a permutation"},
      {"index out of order",
       [](Bytes& b) {
         const std::size_t at = U32(b, store::field::kIndex);
         const std::uint32_t first = U32(b, at);
         Set32(b, at, U32(b, at + 4));
         Set32(b, at + 4, first);
       },
       true, "name index out of order or names repeated"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.damage(bytes);
    if (c.reseal) Reseal(bytes);
    try {
      (void)PictureStore::Load(bytes, "TSHEET");
      ADD_FAILURE() << "loaded";
    } catch (const forms::Exception& error) {
      const std::string prefix = "Stored layout TSHEET is damaged: ";
      const std::string text = error.what();
      EXPECT_EQ(text.substr(0, prefix.size()), prefix) << text;
      EXPECT_NE(text.find(c.message, prefix.size()), std::string::npos) << text;
    }
  }
}

// Repeating pixel rows are stored packed: the store is much smaller than the art and the
// picture comes back byte for byte. Damage to a packed record is a load error; damage inside
// the packed stream (which only a checksum made after it could let through) is an error when
// the picture is unpacked or written, never a crash, and leaves nothing at the target.
TEST(PictureStore, PackedRows) {
  constexpr const char* kPackedLayout = R"(object Sheet: TSheet
  object Botao: TImage
    Picture = bitmap 64x64 24
  end
  object Logo: TImage
    Picture = jpeg 40x30
  end
end
)";
  const Bytes art = MakeBitmap(64, 64, 24, 0, 3);
  const Bytes good = PackText(kPackedLayout, {{"Botao.Picture", art}});
  {
    const PictureStore s = PictureStore::Load(good, "TSHEET");
    const forms::TGraphic& botao = s.FindPicture("botao", "Picture")->graphic;
    ASSERT_TRUE(botao.Packed());
    EXPECT_EQ(botao.bytes.size(), 54u) << "the headers stay as they are";
    EXPECT_EQ(botao.FileSize(), art.size());
    EXPECT_EQ(testing_pictures::WholeFile(botao), art);
    EXPECT_LT(good.size() * 2, art.size());
    EXPECT_FALSE(s.FindPicture("Logo", "Picture")->graphic.Packed()) << "JPEGs are never packed";
  }

  // Picture 0 is the packed bitmap, picture 1 the JPEG after it.
  const auto record = [](const Bytes& b, std::size_t i, std::size_t field) {
    return PictureRecord(b, i) + field;
  };
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"rows stated larger",
       [&](Bytes& b) { Set32(b, record(b, 0, 36), U32(b, record(b, 0, 36)) + 4); },
       "picture 0: bitmap file-size field disagrees with its length"},
      {"rows stated beyond any picture", [&](Bytes& b) { Set32(b, record(b, 0, 36), 0x7FFFFFF0u); },
       "picture 0: its packed rows state 2147483632 bytes"},
      {"packed rows run past the data",
       [&](Bytes& b) { Set32(b, record(b, 0, 32), static_cast<std::uint32_t>(b.size())); },
       "picture 0 lies outside the picture data"},
      {"JPEG with packed rows",
       [&](Bytes& b) {
         Set32(b, record(b, 1, 28), U32(b, record(b, 1, 28)) - 4);
         Set32(b, record(b, 1, 32), 4);
         Set32(b, record(b, 1, 36), 4);
       },
       "picture 1: only bitmaps have packed rows"},
      {"unpacked size without packed rows", [&](Bytes& b) { Set32(b, record(b, 1, 36), 10); },
       "picture 1: unpacked rows without packed ones"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.damage(bytes);
    Reseal(bytes);
    try {
      (void)PictureStore::Load(bytes, "TSHEET");
      ADD_FAILURE() << "loaded";
    } catch (const forms::Exception& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }

  const struct {
    const char* name;
    std::function<void(Bytes&)> damage;
  } streams[] = {
      {"a byte of the stream changed",
       [&](Bytes& b) { b[PictureData(b, 0) + 54 + U32(b, record(b, 0, 32)) / 2] ^= 0x5A; }},
      {"the stream cut short",
       [&](Bytes& b) { Set32(b, record(b, 0, 32), U32(b, record(b, 0, 32)) - 3); }},
      {"the stream's checksum changed",
       [&](Bytes& b) { b[PictureData(b, 0) + 54 + U32(b, record(b, 0, 32)) - 1] ^= 1; }},
  };
  for (const auto& c : streams) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.damage(bytes);
    Reseal(bytes);
    const PictureStore s = PictureStore::Load(bytes, "TSHEET");
    const forms::TGraphic& botao = s.FindPicture("Botao", "Picture")->graphic;
    std::vector<std::uint8_t> rows(botao.rowBytes);
    try {
      forms::UnpackRows(botao, rows);
      ADD_FAILURE() << "unpacked";
    } catch (const forms::Exception& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Stored picture is damaged: ", 0), 0u)
          << error.what();
    }
    testing_pictures::ScratchFolder folder;
    platform::PosixFileSystem fs;
    EXPECT_THROW(WriteGraphic(fs, botao, folder.Windows() + "\\botao1.bmp"), forms::Exception);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});
  }
}

// Every prefix of a good store, and every single-byte change in its tables, is refused or
// loads consistently: never a crash or a read out of bounds (the sanitizer build checks that).
TEST(PictureStore, EveryTruncationAndTableByteIsSafe) {
  const Bytes good = PackText(kLayout);
  for (std::size_t n = 0; n < good.size(); ++n)
    EXPECT_THROW((void)PictureStore::Load(std::span(good).first(n), "T"), forms::Exception) << n;
  const std::size_t tablesEnd = U32(good, store::field::kData);
  for (std::size_t at = store::kChecksumStart; at < tablesEnd; ++at) {
    Bytes bytes = good;
    bytes[at] ^= 0xA5;
    Reseal(bytes);
    try {
      const PictureStore s = PictureStore::Load(bytes, "T");
      for (const StoredPicture& p : s.Pictures()) {
        ASSERT_GE(p.graphic.bytes.data(), bytes.data());
        ASSERT_LE(p.graphic.bytes.data() + p.graphic.bytes.size(), bytes.data() + bytes.size());
      }
    } catch (const forms::Exception&) {
    }
  }
}

}  // namespace
}  // namespace varnel

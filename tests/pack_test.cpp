#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "export/PictureStore.h"
#include "tests/TestPictures.h"
#include "tools/pack/ArtFolder.h"

namespace pack {
namespace {

using testing_pictures::Bytes;
using testing_pictures::MakeBitmap;
using testing_pictures::MakeJpeg;
using testing_pictures::ScratchFolder;
using testing_pictures::WriteHostFile;

constexpr const char* kLayout =
    "object Show: TShow\n"
    "  object Image1: TImage\n"
    "    Picture = jpeg 30x20\n"
    "  end\n"
    "  object Botao: TImageTri\n"
    "    Picture1 = bitmap 8x6 8\n"
    "  end\n"
    "end\n";

// A real-art file, found without regard to case, replaces the generated picture.
TEST(Pack, RealArtReplacesGeneratedArt) {
  ScratchFolder art;
  std::filesystem::create_directory(art.Host() / "tshow");
  const Bytes jpeg = MakeJpeg(30, 20, 77);
  WriteHostFile(art.Host() / "tshow" / "IMAGE1.picture.JPG", jpeg);
  const layout::Layout parsed = layout::ParseLayout(kLayout, "show.layout");
  const Bytes bytes = BuildStore(parsed, RealOrGeneratedArt(art.Host().string()));
  const varnel::PictureStore store = varnel::PictureStore::Load(bytes, "TSHOW");
  const auto* image = store.FindPicture("Image1", "Picture");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(testing_pictures::WholeFile(image->graphic), jpeg);
  // The other slot is generated, as the layout states it.
  const auto* button = store.FindPicture("Botao", "Picture1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->graphic.depth, 8);
  EXPECT_EQ(button->graphic.width, 8);
  // Without a folder everything is generated, and the same every time.
  EXPECT_EQ(BuildStore(parsed, RealOrGeneratedArt("")),
            BuildStore(parsed, RealOrGeneratedArt(art.Host().string() + "/absent")));
}

// A button's displayed picture that holds its normal look is the normal look's art: the same
// bytes, stored once; a real-art file of the normal look serves both.
TEST(Pack, ArtOfAnotherSlotIsTheSamePicture) {
  constexpr const char* kButtons =
      "object Show: TShow\n"
      "  object Botao: TImageTri\n"
      "    Picture = bitmap 8x6 24 art=Botao.Picture1\n"
      "    Picture1 = bitmap 8x6 24\n"
      "    Picture2 = bitmap 8x6 24\n"
      "  end\n"
      "end\n";
  const layout::Layout parsed = layout::ParseLayout(kButtons, "show.layout");
  const auto slotBytes = [](const varnel::PictureStore& store, const char* name, const char* slot) {
    const auto* picture = store.FindPicture(name, slot);
    EXPECT_NE(picture, nullptr) << name << "." << slot;
    return picture == nullptr ? Bytes() : testing_pictures::WholeFile(picture->graphic);
  };
  const Bytes generated = BuildStore(parsed, RealOrGeneratedArt(""));
  const varnel::PictureStore store = varnel::PictureStore::Load(generated, "TSHOW");
  EXPECT_EQ(slotBytes(store, "Botao", "Picture"), slotBytes(store, "Botao", "Picture1"));
  EXPECT_NE(slotBytes(store, "Botao", "Picture"), slotBytes(store, "Botao", "Picture2"));
  // The shared picture is stored once: the store is hardly larger than without the slot.
  std::string withoutSlot = kButtons;
  withoutSlot.erase(withoutSlot.find("    Picture = bitmap 8x6 24 art"),
                    std::string_view("    Picture = bitmap 8x6 24 art=Botao.Picture1\n").size());
  const Bytes smaller =
      BuildStore(layout::ParseLayout(withoutSlot, "show.layout"), RealOrGeneratedArt(""));
  EXPECT_LT(generated.size(), smaller.size() + slotBytes(store, "Botao", "Picture1").size());

  ScratchFolder art;
  std::filesystem::create_directory(art.Host() / "TShow");
  const Bytes real = MakeBitmap(8, 6, 24);
  WriteHostFile(art.Host() / "TShow" / "Botao.Picture1.bmp", real);
  const Bytes withReal = BuildStore(parsed, RealOrGeneratedArt(art.Host().string()));
  const varnel::PictureStore realStore = varnel::PictureStore::Load(withReal, "TSHOW");
  EXPECT_EQ(slotBytes(realStore, "Botao", "Picture"), real);
  EXPECT_EQ(slotBytes(realStore, "Botao", "Picture1"), real);
}

TEST(Pack, RefusesArtThatDisagreesWithTheLayout) {
  struct Case {
    const char* file;
    Bytes bytes;
    const char* message;
  };
  Bytes damagedJpeg = MakeJpeg(30, 20);
  damagedJpeg.resize(damagedJpeg.size() / 2);
  damagedJpeg.push_back(0xFF);
  damagedJpeg.push_back(0xD9);
  const Case cases[] = {
      {"Image1.Picture.jpg", MakeJpeg(31, 20),
       "show.layout:3: Picture from @: the layout states 30x20, the art is 31x20"},
      {"Image1.Picture.bmp", MakeBitmap(30, 20, 24),
       "show.layout:3: Picture from @: the layout states a JPEG, the art is a bitmap"},
      {"Botao.Picture1.bmp", MakeBitmap(8, 6, 24),
       "show.layout:6: Picture1 from @: the layout states depth 8, the art has 24"},
      {"Botao.Picture1.jpg", MakeJpeg(8, 6),
       "show.layout:6: Picture1 from @: the layout states a bitmap, the art is a JPEG"},
      {"Botao.Picture1.bmp", Bytes{'B', 'M', 1, 2, 3},
       "show.layout:6: Picture1 from @: picture: bitmap shorter than its headers"},
      {"Image1.Picture.jpg", damagedJpeg, "show.layout:3: Picture from @: libjpeg cannot read it"},
  };
  const layout::Layout parsed = layout::ParseLayout(kLayout, "show.layout");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ScratchFolder art;
    std::filesystem::create_directory(art.Host() / "TShow");
    const auto path = art.Host() / "TShow" / c.file;
    WriteHostFile(path, c.bytes);
    std::string expected = c.message;
    expected.replace(expected.find('@'), 1, path.string());
    try {
      BuildStore(parsed, RealOrGeneratedArt(art.Host().string()));
      ADD_FAILURE() << "packed";
    } catch (const PackError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected);
    }
  }
}

}  // namespace
}  // namespace pack

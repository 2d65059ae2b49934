#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/PictureStore.h"
#include "platform/Resources.h"
#include "tests/TestPictures.h"
#include "tools/sheetview/SheetModel.h"

namespace sheetview {
namespace {

std::vector<std::string> Names(const SheetPage& page) {
  std::vector<std::string> names;
  for (const forms::TImage* image : page.images) names.push_back(image->Name);
  return names;
}

// Images are grouped by the tab sheet holding them, however deep; images outside every tab
// sheet make a page of their own, last.
TEST(SheetModel, ImagesGroupedByPage) {
  const std::vector<std::uint8_t> bytes = testing_pictures::PackText(R"(
object Folha: TFolha
  object PageControl1: TPageControl
    object TabUm: TTabSheet
      Caption = 'Um / dois & três'
      object Painel: TPanel
        object BotaoA: TImageTri
          AutoSize = True
          Picture1 = bitmap 8x6 24
          Picture2 = bitmap 8x9 24
        end
        object Logo: TImage
          Picture = jpeg 10x10
        end
      end
    end
    object TabVazia: TTabSheet
    end
    object TabDois: TTabSheet
      Caption = 'Dois'
      object BotaoB: TImageTri
        Picture1 = bitmap 4x4 8
      end
    end
  end
  object Solto: TImageTri
    Picture1 = bitmap 4x4 24
  end
end
)");
  SheetModel model(varnel::PictureStore::Load(bytes, "TFOLHA"));
  const auto& pages = model.Pages();
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[0].caption, "Um / dois & três");
  EXPECT_EQ(Names(pages[0]), (std::vector<std::string>{"BotaoA", "Logo"}));
  EXPECT_EQ(pages[1].caption, "TabVazia");  // no caption: the tab sheet's name
  EXPECT_TRUE(pages[1].images.empty());
  EXPECT_EQ(pages[2].caption, "Dois");
  EXPECT_EQ(Names(pages[2]), (std::vector<std::string>{"BotaoB"}));
  EXPECT_EQ(pages[3].caption, "(form)");
  EXPECT_EQ(Names(pages[3]), (std::vector<std::string>{"Solto"}));
  const auto buttons = model.Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  // Loaded as the program loads them: the shown picture follows Picture1, AutoSize applies.
  EXPECT_EQ(buttons[0]->Picture.Width(), 8);
  EXPECT_EQ(buttons[0]->Height, 6);
  // A layout that leaves out Picture3Pos keeps the new component's corner, not the declared
  // default.
  EXPECT_EQ(buttons[0]->Picture3Pos, varnel::TPicture3Pos::TopLeft);
  buttons[0]->MouseEnter();
  EXPECT_EQ(buttons[0]->Height, 9);
}

// Every store the program embeds is listed and opens in the viewer, classes the form
// framework does not know (the progress window's gauge) standing in as panels.
TEST(SheetModel, EveryEmbeddedStoreOpens) {
  const std::vector<std::string> names = platform::EmbeddedNames();
  for (const char* expected : {"TFORMPROCEDA", "TPICTURESHOW"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(platform::FindEmbedded(name).empty());
    SheetModel model(EmbeddedStore(name));
    EXPECT_FALSE(model.Pages().empty());
  }
  SheetModel proceda(EmbeddedStore("TFORMPROCEDA"));
  ASSERT_EQ(proceda.Buttons().size(), 1u);
  EXPECT_EQ(proceda.Buttons()[0]->Name, "ClienteBege");
  EXPECT_THROW(EmbeddedStore("TNOSUCHFORM"), forms::Exception);
}

TEST(SheetModel, MissingStoreFile) {
  std::vector<std::uint8_t> keep;
  try {
    StoreFile("/nonexistent/x.store", keep);
    FAIL() << "opened";
  } catch (const forms::Exception& error) {
    EXPECT_STREQ(error.what(), "Cannot open the store file /nonexistent/x.store");
  }
}

}  // namespace
}  // namespace sheetview

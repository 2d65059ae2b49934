#include <gtest/gtest.h>

#include "tools/layout/Layout.h"

namespace layout {
namespace {

constexpr const char* kSheet = R"(object tbotoes: Ttbotoes
  Caption = 'It''s a sheet'
  object PageControl1: TPageControl
    object TabSheet1: TTabSheet
      Caption = 'Clientes'
      object Panel1: TPanel
        object ClienteAzul: TImageTri
          AutoSize = True
          Cursor = crHandPoint
          Picture = bitmap 81x75 24 art=ClienteAzul2.Picture1
          Picture1 = bitmap 81x75 24
          Picture2 = bitmap 81x79 8
          Picture3Pos = TopLeft
        end
      end
      // a comment
      object fundopet: TImage
        Align = alLeft
        Picture = jpeg 468x302 art=fundoselvo
      end
    end
  end
  object Loose: TImage
  end
end
)";

TEST(Layout, ReadsTheTree) {
  const Layout l = ParseLayout(kSheet, "tbotoes.layout");
  ASSERT_EQ(l.components.size(), 7u);
  EXPECT_EQ(l.Form().name, "tbotoes");
  EXPECT_EQ(l.Form().className, "Ttbotoes");
  EXPECT_EQ(l.Form().properties,
            (std::vector<std::pair<std::string, std::string>>{{"Caption", "It's a sheet"}}));
  const Component& button = l.components[4];
  EXPECT_EQ(button.name, "ClienteAzul");
  EXPECT_EQ(button.parent, 3);
  EXPECT_EQ(l.components[3].parent, 2);
  EXPECT_EQ(button.page, "Clientes");
  EXPECT_EQ(button.line, 7);
  EXPECT_EQ(button.properties,
            (std::vector<std::pair<std::string, std::string>>{
                {"AutoSize", "True"}, {"Cursor", "crHandPoint"}, {"Picture3Pos", "TopLeft"}}));
  ASSERT_EQ(button.pictures.size(), 3u);
  EXPECT_EQ(button.pictures[0].slot, "Picture");
  EXPECT_EQ(button.pictures[0].art, "ClienteAzul2");
  EXPECT_EQ(button.pictures[0].artSlot, "Picture1") << "another slot's art";
  EXPECT_EQ(button.pictures[1].art, "ClienteAzul");
  EXPECT_EQ(button.pictures[1].artSlot, "Picture1") << "its own slot when not given";
  EXPECT_EQ(button.pictures[1].width, 81);
  EXPECT_EQ(button.pictures[1].height, 75);
  EXPECT_EQ(button.pictures[1].depth, 24);
  EXPECT_EQ(button.pictures[2].depth, 8);
  const Component& background = l.components[5];
  EXPECT_EQ(background.page, "Clientes");
  EXPECT_EQ(background.parent, 2);
  ASSERT_EQ(background.pictures.size(), 1u);
  EXPECT_EQ(background.pictures[0].encoding, Encoding::kJpeg);
  EXPECT_EQ(background.pictures[0].depth, 0);
  EXPECT_EQ(background.pictures[0].art, "fundoselvo");
  EXPECT_EQ(background.pictures[0].artSlot, "Picture");
  EXPECT_EQ(l.components[6].parent, 0);
  EXPECT_EQ(l.components[6].page, "");
}

TEST(Layout, ErrorsNameFileAndLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object F: TF\n  object A: TImage\n  end\n  object a: TEdit\n  end\nend\n",
       "t.layout:4: component a already defined at line 2"},
      {"object F: TF\n  object A: TButton\n  end\nend\n", "t.layout:2: unknown class TButton"},
      {"object F: TF\n  object A: TImage\n    Picture = png 3x3\n  end\nend\n",
       "t.layout:3: Picture: unknown encoding 'png' (bitmap or jpeg)"},
      {"object F: TF\n  object A: TImage\n    Picture = bitmap 3x3 16\n  end\nend\n",
       "t.layout:3: Picture: a bitmap needs its depth, 8, 24 or 32"},
      {"object F: TF\n  object A: TImage\n    Picture = bitmap 3y3 24\n  end\nend\n",
       "t.layout:3: Picture: expected 'bitmap WxH D' or 'jpeg WxH', not 'bitmap 3y3 24'"},
      {"object F: TF\n  object A: TImage\n    Picture = jpeg 0x3\n  end\nend\n",
       "t.layout:3: Picture: size 0x3 out of range"},
      {"object F: TF\n  object A: TImage\n    Picture1 = jpeg 3x3\n  end\nend\n",
       "t.layout:3: TImage has no picture slot Picture1"},
      {"object F: TF\n  object A: TImageTri\n    Picture2 = jpeg 3x3\n"
       "    Picture1 = jpeg 3x3\n  end\nend\n",
       "t.layout:4: Picture1 must come after Picture2 and only once"},
      {"object F: TF\n  object A: TImage\n    Picture = jpeg 3x3 size=4\n  end\nend\n",
       "t.layout:3: Picture: unexpected 'size=4'"},
      {"object F: TF\n  object A: TImage\n    Picture = jpeg 3x3 art=B.Picture4\n  end\nend\n",
       "t.layout:3: Picture: art=B.Picture4 names no picture slot"},
      {"object F: TF\n  object A: TImage\n    Picture = jpeg 3x3 art=.Picture1\n  end\nend\n",
       "t.layout:3: Picture: unexpected 'art=.Picture1'"},
      {"object F: TF\n  object A: TImage\n    Visible = Yes\n  end\nend\n",
       "t.layout:3: Visible must be True or False, not 'Yes'"},
      {"object F: TF\n  object A: TImage\n    Left = 1.5\n  end\nend\n",
       "t.layout:3: Left must be an integer, not '1.5'"},
      {"object F: TF\n  object A: TImage\n    Picture3Pos = TopLeft\n  end\nend\n",
       "t.layout:3: TImage has no Picture3Pos"},
      {"object F: TF\n  object A: TImageTri\n    Picture3Pos = Middle\n  end\nend\n",
       "t.layout:3: Picture3Pos must be TopLeft, TopRight, BottomLeft or BottomRight, not "
       "'Middle'"},
      {"object F: TF\n  Caption = 'open\nend\n", "t.layout:2: unterminated quoted text"},
      {"object F: TF\n  Caption = 'a' 'b'\nend\n", "t.layout:2: text after the closing quote"},
      {"object F: TF\n  Caption = 'a'\n  Caption = 'b'\nend\n",
       "t.layout:3: property Caption given twice"},
      {"object F: TF\n  object A: TImage\nend\n", "t.layout:1: object F has no 'end'"},
      {"object F: TF\nend\nend\n", "t.layout:3: 'end' without an open object"},
      {"object F: TF\nend\nobject G: TG\nend\n", "t.layout:3: a second form in one file"},
      {"  Left = 3\n", "t.layout:1: a property outside any object"},
      {"", "t.layout:1: no object in the file"},
      {"object F TF\nend\n", "t.layout:1: expected 'object Name: TClass'"},
      {"object F: TF\n  Left 3\nend\n", "t.layout:2: expected 'Key = Value'"},
      {"object 1F: TF\nend\n", "t.layout:1: bad component name '1F'"},
  };
  for (const Case& c : cases) {
    try {
      ParseLayout(c.text, "t.layout");
      ADD_FAILURE() << "no error for:\n" << c.text;
    } catch (const LayoutError& error) {
      EXPECT_EQ(std::string(error.what()), c.message) << c.text;
    }
  }
}

// The layouts the program carries read without error and hold what the forms bind.
TEST(Layout, ProgramLayoutsRead) {
  const Layout proceda = ReadLayoutFile(VARNEL_SOURCE_DIR "/assets/TFormProceda.layout");
  EXPECT_EQ(proceda.Form().className, "TFormProceda");
  const Layout show = ReadLayoutFile(VARNEL_SOURCE_DIR "/assets/TPictureShow.layout");
  EXPECT_EQ(show.Form().className, "TPictureShow");
  std::vector<std::string> names;
  for (const Component& c : show.components) names.push_back(c.name + ":" + c.className);
  EXPECT_EQ(names,
            (std::vector<std::string>{"PictureShow:TPictureShow", "PnGeral:TPanel", "Image1:TImage",
                                      "AlertaLabel:TLabel", "Panel2:TPanel", "Progresso:TGauge"}));
  ASSERT_EQ(show.components[2].pictures.size(), 1u);
  EXPECT_EQ(show.components[2].pictures[0].encoding, Encoding::kJpeg);
  EXPECT_EQ(show.components[2].pictures[0].width, 86);
  EXPECT_EQ(show.components[2].pictures[0].height, 115);
}

}  // namespace
}  // namespace layout

#include <gtest/gtest.h>

#include "export/FormStore.h"
#include "export/PictureCheck.h"
#include "forms/Components.h"
#include "run/Gauges.h"
#include "tests/TestPictures.h"
#include "widgets/ImageTri.h"

namespace varnel {
namespace {

using testing_pictures::Bytes;
using testing_pictures::MakeBitmap;
using testing_pictures::PackText;

class TSheet : public forms::TForm {
 public:
  TSheet() : forms::TForm("Sheet") {}
};

constexpr const char* kLayout = R"(object Sheet: TSheet
  Caption = 'Folha'
  Visible = True
  ClientWidth = 300
  object PageControl1: TPageControl
    Align = alClient
    object TabSheet1: TTabSheet
      Caption = 'Clientes'
      object Panel1: TPanel
        Left = 4
        Top = 5
        Width = 90
        Height = 80
        Caption = 'P'
        object clienteazul: TImageTri
          AutoSize = True
          Center = True
          Transparent = True
          Visible = False
          Cursor = crHandPoint
          Align = alLeft
          Picture = bitmap 6x9 24
          Picture1 = bitmap 6x5 24
          Picture2 = bitmap 6x9 24
          Picture3Pos = TopLeft
        end
        object Plain: TImageTri
          Picture = bitmap 6x9 8
          Picture3 = bitmap 2x2 24
        end
      end
    end
  end
  object Logo: TImage
    Stretch = True
    Picture = jpeg 20x10
  end
  object Texto: TEdit
    Visible = False
    Text = 'C:'
  end
  object Rotulo: TLabel
    Caption = 'Instalando'
    Font.Style = [fsBold]
  end
  object Barra: TGauge
    MaxValue = 5
    Progress = 2
  end
end
)";

TEST(FormStore, BuildsComponentsPropertiesAndPictures) {
  const Bytes bytes = PackText(kLayout);
  const PictureStore store = PictureStore::Load(bytes, "TSHEET");
  TSheet form;
  LoadStoredLayout(form, store, {ComponentClass<TGauge>()});
  EXPECT_EQ(form.Caption, "Folha");
  EXPECT_TRUE(form.Visible);
  ASSERT_NE(form.FindProperty("clientwidth"), nullptr);
  EXPECT_EQ(*form.FindProperty("clientwidth"), "300");
  EXPECT_EQ(form.ComponentCount(), 9u);

  auto* page = BindComponent<forms::TTabSheet>(form, "tabsheet1");
  EXPECT_EQ(page->Caption, "Clientes");
  EXPECT_EQ(page->Parent, form.FindComponent("PageControl1"));
  EXPECT_EQ(BindComponent<forms::TPageControl>(form, "PageControl1")->Align,
            forms::TAlign::alClient);
  auto* panel = BindComponent<forms::TPanel>(form, "Panel1");
  EXPECT_EQ(panel->Left, 4);
  EXPECT_EQ(panel->Top, 5);
  EXPECT_EQ(panel->Width, 90);
  EXPECT_EQ(panel->Height, 80);
  EXPECT_EQ(panel->Caption, "P");

  auto* button = BindComponent<TImageTri>(form, "ClienteAzul");
  EXPECT_EQ(button->Name, "clienteazul");
  EXPECT_EQ(button->Parent, panel);
  EXPECT_TRUE(button->AutoSize);
  EXPECT_TRUE(button->Center);
  EXPECT_TRUE(button->Transparent);
  EXPECT_FALSE(button->Stretch);
  EXPECT_FALSE(button->Visible);
  EXPECT_EQ(button->Align, forms::TAlign::alLeft);
  EXPECT_EQ(*button->FindProperty("Cursor"), "crHandPoint");
  EXPECT_EQ(button->Picture3Pos, TPicture3Pos::TopLeft);
  // The displayed picture follows Picture1, whatever the layout stored for Picture.
  ASSERT_FALSE(button->Picture1.Empty());
  EXPECT_EQ(button->Picture.Graphic()->bytes.data(), button->Picture1.Graphic()->bytes.data());
  EXPECT_EQ(button->Picture.Height(), 5);
  EXPECT_EQ(button->Picture2.Height(), 9);
  EXPECT_EQ(store.FindPicture("clienteazul", "Picture2")->graphic.bytes.data(),
            button->Picture2.Graphic()->bytes.data());
  EXPECT_TRUE(button->Picture3.Empty());

  // Without a Picture1 the stored Picture stays.
  auto* plain = BindComponent<TImageTri>(form, "plain");
  EXPECT_TRUE(plain->Picture1.Empty());
  EXPECT_EQ(plain->Picture.Graphic()->depth, 8);
  EXPECT_EQ(plain->Picture3.Width(), 2);
  EXPECT_EQ(plain->Picture3Pos, TPicture3Pos::TopLeft);

  auto* logo = BindComponent<forms::TImage>(form, "LOGO");
  EXPECT_TRUE(logo->Stretch);
  EXPECT_EQ(logo->Picture.Graphic()->encoding, forms::TPictureEncoding::kJpeg);
  EXPECT_EQ(logo->Parent, nullptr);
  EXPECT_EQ(BindComponent<forms::TEdit>(form, "Texto")->Text, "C:");
  EXPECT_EQ(*BindComponent<forms::TLabel>(form, "Rotulo")->FindProperty("Font.Style"), "[fsBold]");
  auto* gauge = BindComponent<TGauge>(form, "Barra");
  EXPECT_EQ(gauge->MaxValue(), 5);
  EXPECT_EQ(gauge->Progress(), 2);
}

TEST(FormStore, LoadErrorsNameTheProblem) {
  const Bytes bytes = PackText(kLayout);
  const PictureStore store = PictureStore::Load(bytes, "TSHEET");
  const auto errorOf = [](const std::function<void()>& load) -> std::string {
    try {
      load();
    } catch (const forms::Exception& error) {
      return error.what();
    }
    return "(no error)";
  };
  {
    TSheet form;  // TGauge unknown without the extra class
    EXPECT_EQ(errorOf([&] { LoadStoredLayout(form, store); }),
              "Stored layout TSHEET: component Barra has the unknown class TGauge");
  }
  {
    TSheet form;
    LoadStoredLayout(form, store, {ComponentClass<TGauge>()});
    EXPECT_EQ(errorOf([&] { BindComponent<forms::TEdit>(form, "DriveLocal"); }),
              "Stored layout of Sheet lacks the component DriveLocal (TEdit)");
    // Present, but of another class.
    EXPECT_EQ(errorOf([&] { BindComponent<forms::TEdit>(form, "Logo"); }),
              "Stored layout of Sheet lacks the component Logo (TEdit)");
  }
  {
    TSheet form;
    const Bytes bad = PackText(
        "object Sheet: TSheet\n  object G: TGauge\n    MaxValue = lots\n"
        "  end\nend\n");
    const PictureStore badStore = PictureStore::Load(bad, "TSHEET");
    EXPECT_EQ(errorOf([&] { LoadStoredLayout(form, badStore, {ComponentClass<TGauge>()}); }),
              "Stored layout TSHEET: Invalid value 'lots' for property MaxValue of G");
  }
  {
    TSheet form;
    EXPECT_EQ(errorOf([&] { LoadStoredLayout(form, "TNOSUCHFORM"); }),
              "Stored layout TNOSUCHFORM is not in the program");
  }
}

TEST(ImageTri, PictureFollowsPicture1) {
  TImageTri button("b");
  EXPECT_EQ(button.Picture3Pos, TPicture3Pos::TopLeft);
  EXPECT_EQ(button.Width, 105);
  EXPECT_EQ(button.Height, 105);
  const Bytes normal = MakeBitmap(4, 4, 24, 0, 1);
  const Bytes hover = MakeBitmap(4, 8, 24, 0, 2);
  forms::TPicture source;
  source.Assign(GraphicFromBytes(hover, "hover"));
  button.Picture.Assign(source);
  button.Picture2.Assign(source);
  EXPECT_EQ(button.Picture.Height(), 8);
  forms::TPicture rest;
  rest.Assign(GraphicFromBytes(normal, "normal"));
  button.Picture1.Assign(rest);
  EXPECT_EQ(button.Picture.Height(), 4);
  // The component keeps its own objects: changing the source later changes nothing.
  rest.Clear();
  EXPECT_EQ(button.Picture1.Height(), 4);
  EXPECT_EQ(button.Picture.Height(), 4);
  button.Picture1.Clear();
  EXPECT_TRUE(button.Picture.Empty());
  EXPECT_EQ(button.Picture2.Height(), 8);
}

}  // namespace
}  // namespace varnel

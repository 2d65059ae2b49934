#include <gtest/gtest.h>

#include <cstdio>

#include "app/Proceda.h"
#include "export/PictureFile.h"
#include "export/PictureStore.h"
#include "export/RunContext.h"
#include "forms/Forms.h"
#include "platform/Resources.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/terminal/TerminalScreen.h"
#include "run/PicShow.h"
#include "tests/TestPictures.h"

namespace varnel {
namespace {

using testing_pictures::ReadHostFile;
using testing_pictures::ScratchFolder;

// Every picture the program carries, written through both forms of SaveToFile, gives back
// exactly its stored bytes.
TEST(SmallForms, EveryStoredPictureWritesByteForByte) {
  ScratchFolder folder;
  platform::PosixFileSystem fs;
  int written = 0;
  for (const char* resource : {"TFORMPROCEDA", "TPICTURESHOW"}) {
    SCOPED_TRACE(resource);
    const auto bytes = platform::FindEmbedded(resource);
    ASSERT_FALSE(bytes.empty());
    const PictureStore store = PictureStore::Load(bytes, resource);
    ASSERT_FALSE(store.Pictures().empty());
    for (const StoredPicture& p : store.Pictures()) {
      const std::string name =
          std::string(store.Components()[p.component].name) + "." + std::string(p.slot);
      forms::TPicture picture;
      picture.Assign(p.graphic);
      SaveToFile(fs, picture, folder.Windows() + "\\" + name + ".a");
      SaveGraphicToFile(fs, picture, folder.Windows() + "\\" + name + ".b");
      const std::vector<std::uint8_t> stored = testing_pictures::WholeFile(p.graphic);
      EXPECT_EQ(ReadHostFile(folder.Host() / (name + ".a")), stored) << name;
      EXPECT_EQ(ReadHostFile(folder.Host() / (name + ".b")), stored) << name;
      ++written;
    }
  }
  EXPECT_EQ(folder.Names().size(), 2u * static_cast<std::size_t>(written));
}

TEST(SmallForms, EmbeddedNamesIgnoreCase) {
  EXPECT_EQ(platform::FindEmbedded("tpictureshow").data(),
            platform::FindEmbedded("TPICTURESHOW").data());
  EXPECT_TRUE(platform::FindEmbedded("TNOSUCHFORM").empty());
}

// The forms of the run build their components from their stored layouts.
TEST(SmallForms, FormsLoadTheirStoredLayouts) {
  std::FILE* out = std::tmpfile();
  platform::TerminalScreen screen(out);
  forms::TApplication app(screen, [](int code) { throw forms::ProcessExit{code}; });
  app.CreateForm(FormProceda);
  ASSERT_NE(FormProceda, nullptr);
  EXPECT_EQ(FormProceda->Caption, "FormProceda");
  EXPECT_FALSE(FormProceda->Visible);
  for (forms::TEdit* edit : {FormProceda->DriveLocal, FormProceda->DiretorioControl}) {
    EXPECT_EQ(edit->Text, "C:");
    EXPECT_FALSE(edit->Visible);
  }
  TImageTri* bege = FormProceda->ClienteBege;
  EXPECT_FALSE(bege->Visible);
  EXPECT_EQ(bege->Picture3Pos, TPicture3Pos::TopLeft);
  EXPECT_EQ(bege->Picture1.Width(), 81);
  EXPECT_EQ(bege->Picture1.Height(), 75);
  EXPECT_EQ(bege->Picture2.Height(), 79);
  EXPECT_EQ(bege->Picture.Graphic()->bytes.data(), bege->Picture1.Graphic()->bytes.data());

  // The window's folder preparation is not run here: the context is never used.
  ScratchFolder folder;
  platform::PosixFileSystem fs;
  const InstallRoot root = InstallRoot::FromDirectory(folder.Windows());
  PlanRecorder sink;
  RunEvents events;
  const RunContext context{fs, root, sink, nullptr, events};
  app.CreateForm(PictureShow, context);
  ASSERT_NE(PictureShow, nullptr);
  EXPECT_EQ(PictureShow->Caption, "Instalador");
  EXPECT_EQ(PictureShow->PnGeral->Width, 327);
  EXPECT_EQ(PictureShow->PnGeral->Height, 109);
  EXPECT_EQ(PictureShow->Image1->Parent, PictureShow->PnGeral);
  EXPECT_EQ(PictureShow->Image1->Align, forms::TAlign::alLeft);
  EXPECT_TRUE(PictureShow->Image1->Stretch);
  const forms::TGraphic* logo = PictureShow->Image1->Picture.Graphic();
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->encoding, forms::TPictureEncoding::kJpeg);
  EXPECT_EQ(logo->width, 86);
  EXPECT_EQ(logo->height, 115);
  EXPECT_EQ(PictureShow->AlertaLabel->Caption, "Instalando sistema Varnel");
  EXPECT_EQ(PictureShow->Panel2->Caption, "Panel2");
  EXPECT_EQ(PictureShow->Progresso->Parent, PictureShow->Panel2);
  EXPECT_EQ(PictureShow->Progresso->Width, 197);
  EXPECT_EQ(*PictureShow->Progresso->FindProperty("ForeColor"), "6569500");
  app.DestroyForms();
  EXPECT_EQ(FormProceda, nullptr);
  EXPECT_EQ(PictureShow, nullptr);
  std::fclose(out);
}

}  // namespace
}  // namespace varnel

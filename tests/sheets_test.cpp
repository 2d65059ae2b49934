// The five button sheets (tbotoes, tbotoes1, tbotoes2, tbotoes3, tBotoes5) with their stored
// layouts. What each writes, in which order, and where the pumps and gauge steps fall is pinned
// by the golden write plan (write_plan_test.cpp); these tests check what that plan cannot show:
// the components the sheets hold and the sizes of their pictures, the rule that ties each
// button's colour to its folder, the bytes a complete run leaves on disk, the sheets releasing
// themselves, and what a failed write leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/Proceda.h"
#include "app/Program.h"
#include "export/PictureSinks.h"
#include "export/PictureStore.h"
#include "export/SheetRun.h"
#include "forms/Components.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "run/Gauges.h"
#include "run/PicShow.h"
#include "sheets/vnBotoes.h"
#include "sheets/vnbotoes1.h"
#include "sheets/vnbotoes2.h"
#include "sheets/vnbotoes3.h"
#include "sheets/vnbotoes5.h"
#include "tests/SheetRunStage.h"
#include "tests/TempDir.h"
#include "tests/TestPictures.h"
#include "widgets/ImageTri.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadText;
using testing_support::TempDir;
using testing_support::WriteText;

const std::string kBtn = "d:\\vexon7\\btn\\";

// Where a write lands: "folder/file" below btn, lower case, whichever separator the path used
// (Windows reads "/" and "\" alike).
std::string FileKey(const std::string& path) {
  std::string rest = path.substr(kBtn.size());
  std::replace(rest.begin(), rest.end(), '\\', '/');
  return platform::LowerAscii(rest);
}

std::string FolderOf(const std::string& path) {
  const std::string key = FileKey(path);
  return key.substr(0, key.find('/'));
}

// The file name less "1.bmp" or "2.bmp".
std::string StemOf(const std::string& path) {
  const std::string key = FileKey(path);
  const std::string name = key.substr(key.find('/') + 1);
  return name.substr(0, name.size() - 5);
}

std::vector<PlannedWrite> Of(const std::vector<PlannedWrite>& plan, std::string_view sheet,
                             std::string_view routine = {}) {
  std::vector<PlannedWrite> out;
  for (const PlannedWrite& w : plan)
    if (w.sheet == sheet && (routine.empty() || w.routine == routine)) out.push_back(w);
  return out;
}

// The system's text for a failure as an error message quotes it: trailing full stops dropped.
std::string Reason(platform::FileSystem& fs, platform::SysError code) {
  std::string text = fs.ErrorText(code);
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

std::vector<std::string> Texts(const std::vector<platform::RecordingScreen::ErrorBox>& boxes) {
  std::vector<std::string> out;
  for (const auto& box : boxes) out.push_back(box.text);
  return out;
}

// Every file under `root`, as "folder/file" relative to it.
std::set<std::string> FilesUnder(const fs::path& root) {
  std::set<std::string> out;
  if (!fs::exists(root)) return out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) out.insert(fs::relative(entry.path(), root).generic_string());
  return out;
}

// The sheets that can be created on their own, by the name of their form class.
struct Sheet {
  std::string name;
  std::function<void(testing_support::SheetStage&)> create;
  std::function<TSheet*()> get;
};

const Sheet kTbotoes2{"tbotoes2",
                      [](testing_support::SheetStage& stage) { stage.Create(tbotoes2); },
                      [] { return static_cast<TSheet*>(tbotoes2); }};
const Sheet kTbotoes3{"tbotoes3",
                      [](testing_support::SheetStage& stage) { stage.Create(tbotoes3); },
                      [] { return static_cast<TSheet*>(tbotoes3); }};
const Sheet kTBotoes5{"tBotoes5",
                      [](testing_support::SheetStage& stage) { stage.Create(tBotoes5); },
                      [] { return static_cast<TSheet*>(tBotoes5); }};
const Sheet* const kLaterSheets[] = {&kTbotoes2, &kTbotoes3, &kTBotoes5};

// The five sheet variables that are set: a sheet's variable is cleared when it is released.
std::vector<std::string> LiveSheets() {
  std::vector<std::string> out;
  if (tbotoes != nullptr) out.push_back("tbotoes");
  if (tbotoes1 != nullptr) out.push_back("tbotoes1");
  if (tbotoes2 != nullptr) out.push_back("tbotoes2");
  if (tbotoes3 != nullptr) out.push_back("tbotoes3");
  if (tBotoes5 != nullptr) out.push_back("tBotoes5");
  return out;
}

// What happened, in order: "pump", "step <gauge progress>", "error <text>".
std::vector<std::string> events;
// Called at each progress step with the gauge's progress, after the step.
std::function<void(int)> onStep;

class EventScreen : public platform::RecordingScreen {
 public:
  void ProcessMessages() override {
    events.push_back("pump");
    RecordingScreen::ProcessMessages();
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    events.push_back("error " + text);
    RecordingScreen::ShowError(caption, text);
  }
};

// A sheet run inside a test application on a temporary drive d:, install root d:\vexon7. The
// writes go to the recorder only, or with ToDisk() also to the files.
class SheetsTest : public ::testing::Test {
 protected:
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  EventScreen screen;
  testing_support::SheetStage stage{disk, screen};
  forms::TApplication& app = stage.app;
  PlanRecorder recorder;
  PlanRecorder recorderToDisk{&stage.fileSink};

  void SetUp() override {
    onStep = nullptr;
    stage.onStep = [] {
      const int progress = PictureShow->Progresso->Progress();
      events.push_back("step " + std::to_string(progress));
      if (onStep) onStep(progress);
    };
    stage.sink.Use(&recorder);
    events.clear();
  }
  void TearDown() override { onStep = nullptr; }

  // The edition folders and the marker file in place; from now on the writes reach the disk.
  PlanRecorder& ToDisk() {
    for (std::string_view folder : kEditionFolders)
      fs::create_directories(tmp / ("vexon7/btn/" + std::string(folder)));
    fs::create_directories(tmp / "vexon7/txt");
    WriteText(tmp / "vexon7/txt/pict.txt", "x");
    stage.sink.Use(&recorderToDisk);
    return recorderToDisk;
  }

  fs::path Host(const std::string& key) const { return tmp / ("vexon7/btn/" + key); }
  bool MarkerFileThere() const { return fs::exists(tmp / "vexon7/txt/pict.txt"); }

  // The writes of one later sheet's run, recorded without touching the disk.
  std::vector<PlannedWrite> Plan(const Sheet& sheet) {
    recorder.plan.clear();
    sheet.create(stage);
    EXPECT_TRUE(screen.errors.empty()) << sheet.name << ": " << screen.errors.front().text;
    return recorder.plan;
  }

  // The writes of tbotoes's whole run (which creates the four other sheets), recorded without
  // touching the disk; every sheet released afterwards and the gauge back at 0.
  std::vector<PlannedWrite> WholePlan() {
    recorder.plan.clear();
    stage.Create(tbotoes);
    app.ProcessMessages();
    PictureShow->Progresso->SetProgress(0);
    events.clear();
    return recorder.plan;
  }
};

// --- What the sheets hold ---------------------------------------------------------------------

TEST_F(SheetsTest, ComponentsHeldAndThoseNoRoutineWrites) {
  struct Case {
    const Sheet& sheet;
    std::size_t buttons, tabs, panels;
    std::vector<std::string> captions;
    std::set<std::string> unwritten;  // lower case
  };
  std::set<std::string> quasorAndMicro = {"utilnfceamarelo", "pagarcalculoamarelo",
                                          "pagardescontoamarelo", "pagarpreviaamarelo"};
  for (int i = 1; i <= 27; ++i) quasorAndMicro.insert("imagetri" + std::to_string(i));
  const Case cases[] = {
      {kTbotoes2,
       787,
       1,
       10,
       {"Botões pequenos"},
       {"peqmarcacaoazul", "peqrecepcaoazul", "peqcontarvermelho", "peqmarcacaoaqua",
        "peqrecepcaoaqua"}},
      {kTbotoes3,
       504,
       6,
       48,
       {"Botões Control", "Preview", "Vida do cliente", "F3", "Pagamento caixa", "Relatorio"},
       {"perdidofiltro"}},
      {kTBotoes5,
       684,
       8,
       78,
       {"Util Caixa", "utilitario", "Torpedo", "Quasor", "Micro Botao", "Nfe", "Xml Compra",
        "Email"},
       quasorAndMicro},
  };
  for (const Case& c : cases) {
    std::set<std::string> written;
    for (const PlannedWrite& write : Plan(c.sheet))
      written.insert(platform::LowerAscii(write.component));
    const TSheet* sheet = c.sheet.get();
    ASSERT_NE(sheet, nullptr) << c.sheet.name;
    std::set<std::string> held;
    std::size_t tabs = 0, panels = 0, pageControls = 0;
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < sheet->ComponentCount(); ++i) {
      const forms::TComponent* component = sheet->Component(i);
      if (dynamic_cast<const TImageTri*>(component) != nullptr)
        held.insert(platform::LowerAscii(component->Name));
      if (const auto* tab = dynamic_cast<const forms::TTabSheet*>(component)) {
        ++tabs;
        captions.push_back(tab->Caption);
      }
      if (dynamic_cast<const forms::TPanel*>(component) != nullptr) ++panels;
      if (dynamic_cast<const forms::TPageControl*>(component) != nullptr) ++pageControls;
    }
    EXPECT_EQ(held.size(), c.buttons) << c.sheet.name;
    EXPECT_EQ(tabs, c.tabs) << c.sheet.name;
    EXPECT_EQ(panels, c.panels) << c.sheet.name;
    EXPECT_EQ(pageControls, 1u) << c.sheet.name;
    EXPECT_EQ(captions, c.captions) << c.sheet.name;
    EXPECT_NE(sheet->FindComponent("PageControl1"), nullptr) << c.sheet.name;
    std::set<std::string> unwritten;
    std::set_difference(held.begin(), held.end(), written.begin(), written.end(),
                        std::inserter(unwritten, unwritten.end()));
    EXPECT_EQ(unwritten, c.unwritten) << c.sheet.name;
    EXPECT_TRUE(std::includes(held.begin(), held.end(), written.begin(), written.end()))
        << c.sheet.name << ": a written component the sheet does not hold";
    app.ProcessMessages();  // releases the closed sheet
  }
}

// The buttons of tbotoes and tbotoes1: 24-bit, full size 81 by 75, small (submenu) 61 by 57,
// the hover look the same size or 4 taller, two buttons apart; the bank logos 8-bit, 149 by 38
// but three.
TEST_F(SheetsTest, PictureSizesOfTbotoesAndTbotoes1) {
  const PictureStore tbotoesStore =
      PictureStore::Load(platform::FindEmbedded("TBOTOES"), "TBOTOES");
  const PictureStore tbotoes1Store =
      PictureStore::Load(platform::FindEmbedded("TBOTOES1"), "TBOTOES1");
  const std::map<std::string, std::pair<int, int>> exceptions = {
      {"promocaolaranja.Picture1", {81, 73}},
      {"promocaolaranja.Picture2", {81, 79}},
      {"MovimentoOuro.Picture1", {81, 75}},
      {"MovimentoOuro.Picture2", {81, 81}},
      {"lb041.Picture", {167, 54}},
      {"lb748.Picture", {155, 57}},
      {"lb756.Picture", {149, 37}}};
  std::set<std::string> seenExceptions;
  int logos = 0;
  for (const PlannedWrite& w : WholePlan()) {
    if (w.sheet != "tbotoes" && w.sheet != "tbotoes1") continue;
    const bool logo = w.routine == "criarlogobanco";
    if (w.slot == "Picture" && !logo) continue;
    const PictureStore& store = w.sheet == "tbotoes" ? tbotoesStore : tbotoes1Store;
    const StoredPicture* picture = store.FindPicture(w.component, w.slot);
    ASSERT_NE(picture, nullptr) << w.component;
    const std::pair<int, int> size = {picture->graphic.width, picture->graphic.height};
    EXPECT_EQ(picture->graphic.depth, logo ? 8 : 24) << w.component;
    if (auto it = exceptions.find(w.component + "." + w.slot); it != exceptions.end()) {
      EXPECT_EQ(size, it->second) << it->first;
      seenExceptions.insert(it->first);
      continue;
    }
    if (logo) {
      ++logos;
      EXPECT_EQ(size, std::make_pair(149, 38)) << w.component;
      continue;
    }
    const bool small = platform::LowerAscii(w.component).starts_with("submenu");
    const int width = small ? 61 : 81;
    const int height = small ? 57 : 75;
    if (w.slot == "Picture1") {
      EXPECT_EQ(size, std::make_pair(width, height)) << w.component;
    } else {
      EXPECT_EQ(size.first, width) << w.component;
      EXPECT_TRUE(size.second == height || size.second == height + 4) << w.component;
    }
  }
  EXPECT_EQ(seenExceptions.size(), exceptions.size());
  EXPECT_EQ(logos, 48);
}

// The caption of the tab sheet holding a component.
std::string PageOf(const forms::TComponent* component) {
  for (const forms::TComponent* at = component; at != nullptr;) {
    if (const auto* tab = dynamic_cast<const forms::TTabSheet*>(at)) return tab->Caption;
    const auto* control = dynamic_cast<const forms::TControl*>(at);
    at = control != nullptr ? control->Parent : nullptr;
  }
  return std::string();
}

TEST_F(SheetsTest, PictureSizesOfTheLaterSheetsByKindOfButton) {
  // Per sheet and tab: the sizes the written buttons have at rest and under the pointer.
  using Sizes = std::set<std::pair<int, int>>;
  struct Case {
    const Sheet& sheet;
    std::string page;
    Sizes rest, hover;
  };
  const Sizes small = {{61, 57}}, smallHover = {{61, 61}, {61, 57}};
  const Case cases[] = {
      {kTbotoes2, "Botões pequenos", small, smallHover},
      {kTbotoes3, "Botões Control", small, {{61, 61}}},
      {kTbotoes3,
       "Preview",
       {{61, 57}, {36, 36}, {38, 35}, {35, 35}, {37, 37}},
       {{61, 61}, {36, 36}, {38, 38}, {35, 35}, {37, 38}}},
      {kTbotoes3, "Vida do cliente", small, {{61, 61}}},
      {kTbotoes3, "Relatorio", small, {{61, 61}}},
      {kTBotoes5, "Util Caixa", {{81, 75}}, {{81, 79}}},
      {kTBotoes5, "utilitario", {{81, 75}}, {{81, 79}, {81, 75}}},
      {kTBotoes5, "Micro Botao", {{37, 35}}, {{37, 35}, {37, 37}}},
      {kTBotoes5, "Nfe", small, {{61, 61}}},
  };
  std::map<std::string, std::map<std::string, std::pair<Sizes, Sizes>>> seen;
  // Buttons of tbotoes2 whose hover look keeps the size at rest, by colour word.
  std::map<std::string, int> flatHover;
  for (const Sheet* sheet : kLaterSheets) {
    std::set<std::string> written;
    for (const PlannedWrite& write : Plan(*sheet)) written.insert(write.component);
    for (const std::string& name : written) {
      const auto* button = dynamic_cast<const TImageTri*>(sheet->get()->FindComponent(name));
      ASSERT_NE(button, nullptr) << name;
      auto& [rest, hover] = seen[sheet->name][PageOf(button)];
      rest.insert({button->Picture1.Width(), button->Picture1.Height()});
      hover.insert({button->Picture2.Width(), button->Picture2.Height()});
      EXPECT_EQ(button->Picture1.Graphic()->depth == 8, PageOf(button) == "Micro Botao") << name;
      if (sheet == &kTbotoes2 && button->Picture2.Height() == 57) {
        const std::string lower = platform::LowerAscii(name);
        for (const char* colour : {"azul", "aqua", "amarelo", "amarela"})
          if (lower.ends_with(colour))
            ++flatHover[colour == std::string("amarela") ? "amarelo" : colour];
      }
    }
    app.ProcessMessages();
  }
  for (const Case& c : cases) {
    EXPECT_EQ(seen[c.sheet.name][c.page].first, c.rest) << c.sheet.name << " " << c.page;
    EXPECT_EQ(seen[c.sheet.name][c.page].second, c.hover) << c.sheet.name << " " << c.page;
  }
  EXPECT_EQ(flatHover, (std::map<std::string, int>{{"azul", 6}, {"aqua", 6}, {"amarelo", 19}}));
}

// Every write of the later sheets is one half of a button pair in an edition folder, from a
// component of the folder's own colour, under the stem its name gives, except where a component
// is named otherwise. The colours of the folders come from the themes, not from the routines.
TEST_F(SheetsTest, EveryLaterSheetFileComesFromItsFoldersColourUnderItsStem) {
  std::map<std::string, std::string> colourOf = {{"relatorio", "cinza"}, {"control", ""}};
  for (const Theme* theme : kThemes)
    for (std::string_view folder : theme->folders)
      colourOf[std::string(folder)] = std::string(theme->colour);
  // Components whose files take another stem than their name less the colour word.
  const std::map<std::string, std::set<std::string>> otherStems = {
      {"peqclientecinza", {"peqclientes"}},
      {"peqagendaamarela", {"peqagenda"}},
      {"peqnfccinza", {"peqnfce"}},
      {"peqnfcazul", {"peqnfce"}},
      {"peqnfcaqua", {"peqnfce"}},
      {"peqnfcamarelo", {"peqnfc", "peqnfce"}},
      {"relatopeqsair", {"peqsair"}},
      {"relatopeqsiga", {"peqsiga"}},
      {"relatopeqimpressora", {"peqimpressora"}},
      {"relatosubmenmestre", {"submenumestre"}},
      {"relatosubmenuhelp", {"submenuhelp"}},
  };
  for (const Sheet* sheet : kLaterSheets) {
    for (const PlannedWrite& write : Plan(*sheet)) {
      SCOPED_TRACE(sheet->name + " " + write.component + " " + write.path);
      ASSERT_EQ(write.path.substr(0, kBtn.size()), kBtn);
      const std::string file = write.path.substr(kBtn.size());
      EXPECT_EQ(platform::LowerAscii(file), file);
      ASSERT_EQ(colourOf.count(FolderOf(write.path)), 1u);
      EXPECT_EQ(write.slot, file.ends_with("1.bmp") ? "Picture1" : "Picture2");
      EXPECT_TRUE(file.ends_with("1.bmp") || file.ends_with("2.bmp"));
      const std::string component = platform::LowerAscii(write.component);
      if (auto odd = otherStems.find(component); odd != otherStems.end()) {
        EXPECT_EQ(odd->second.count(StemOf(write.path)), 1u);
        continue;
      }
      std::string colour = colourOf[FolderOf(write.path)];
      std::string base = component;
      // The two families of cash-register utilities with names of their own.
      for (const auto& [family, stem] :
           {std::pair<std::string, std::string>{"utilnotafiscal", "utilnfe"}, {"utilnfce", "nfce"}})
        if (base == family + colour) base = stem + colour;
      ASSERT_TRUE(base.ends_with(colour));
      EXPECT_EQ(StemOf(write.path), base.substr(0, base.size() - colour.size()));
    }
    app.ProcessMessages();
  }
}

// --- The files of a complete run ---------------------------------------------------------------

TEST(CompleteRunTest, WritesExactlyThePlannedFilesWithTheStoredBytes) {
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::RecordingScreen screen;
  const InstallRoot root = InstallRoot::FromDirectory("d:\\vexon7");
  FileSink fileSink{disk};
  PlanRecorder recorder{&fileSink};
  fs::create_directories(tmp / "vexon7");
  ASSERT_EQ(
      RunInstaller({disk, root, screen, [](int c) { throw forms::ProcessExit{c}; }, &recorder}), 0);
  EXPECT_TRUE(screen.errors.empty());
  const auto file = [&](const std::string& key) { return ReadText(tmp / ("vexon7/btn/" + key)); };

  // Each file holds the stored picture its write names, and nothing else lies under btn.
  ASSERT_EQ(recorder.plan.size(), 9403u);
  std::map<std::string, PictureStore> stores;
  for (const char* sheet : {"tbotoes", "tbotoes1", "tbotoes2", "tbotoes3", "tBotoes5"}) {
    const std::string resource = platform::UpperAscii(sheet);
    stores.emplace(sheet, PictureStore::Load(platform::FindEmbedded(resource), resource));
  }
  std::set<std::string> planned;
  for (const PlannedWrite& w : recorder.plan) {
    const std::string key = FileKey(w.path);
    planned.insert(key);
    const StoredPicture* picture = stores.at(w.sheet).FindPicture(w.component, w.slot);
    ASSERT_NE(picture, nullptr) << w.component << "." << w.slot;
    const auto whole = testing_pictures::WholeFile(picture->graphic);
    const std::string stored(whole.begin(), whole.end());
    ASSERT_EQ(file(key), stored) << key << " holds " << w.component << "." << w.slot;
    // The extension agrees with what the bytes are.
    EXPECT_EQ(key.ends_with(".jpg"), stored.starts_with("\xFF\xD8")) << key;
    EXPECT_EQ(key.ends_with(".bmp"), stored.starts_with("BM")) << key;
  }
  EXPECT_EQ(FilesUnder(tmp / "vexon7/btn"), planned);

  // The art: files that hold one and the same picture (the folders of one colour block, and
  // pictures stored under two names), and pictures that differ (another colour, the hover
  // look, another picture under the same name).
  const std::vector<std::vector<std::string>> same = {
      {"frentedecaixa/cliente1.bmp", "clean/cliente1.bmp", "erp/cliente1.bmp"},
      {"caixa/cliente1.bmp", "mercado/cliente1.bmp"},
      {"dental/banco1.bmp", "sindicato/banco1.bmp"},
      {"producao/senhasiga1.bmp", "lexor/senhasiga1.bmp", "relatorio/senhasiga1.bmp"},
      {"frentedecaixa/peqconcluido1.bmp", "erp/peqconcluido1.bmp", "clean/peqconcluido1.bmp"},
      {"mercado/peqconcluido1.bmp", "caixa/peqconcluido1.bmp"},
      {"relatorio/previewpdf1.bmp", "lexor/previewpdf1.bmp"},
      {"gourmet/previewxls2.bmp", "padaria/previewxls2.bmp"},
      {"beauty/paf641.bmp", "otica/paf641.bmp"},
      {"oficina/peqnfc1.bmp", "oficina/peqnfce1.bmp"},
      {"oficina/peqnfc2.bmp", "oficina/peqnfce2.bmp"},
      {"selvo/fundo.jpg", "oficina/fundo.jpg"},
      {"dental/fundo.jpg", "beauty/fundo.jpg", "sindicato/fundo.jpg"},
      {"producao/fundo.jpg", "lexor/fundo.jpg"},
      {"erp/fundo.jpg", "orvix/fundo.jpg"},
      {"mercado/fundo.jpg", "mercado/fundomercado.jpg", "frentedecaixa/fundomercado.jpg"},
      {"mercado/mercado.jpg", "frentedecaixa/carrinho.jpg"},
      {"padaria/pao.bmp", "padaria/padaria.bmp"},
      {"otica/cxmedicao1.bmp", "beauty/cxmedicao1.bmp"},
  };
  for (const auto& group : same)
    for (const std::string& key : group) EXPECT_EQ(file(key), file(group[0])) << key;
  const std::vector<std::pair<std::string, std::string>> different = {
      {"frentedecaixa/cliente1.bmp", "caixa/cliente1.bmp"},
      {"frentedecaixa/cliente1.bmp", "frentedecaixa/cliente2.bmp"},
      {"frentedecaixa/peqconcluido1.bmp", "mercado/peqconcluido1.bmp"},
      {"frentedecaixa/peqconcluido1.bmp", "frentedecaixa/peqconcluido2.bmp"},
      {"control/pagarcalculo1.bmp", "producao/pagarcalculo1.bmp"},
      {"selvo/fundo.jpg", "pet/fundo.jpg"},
      {"varnel/golfinho.bmp", "varnel/golfinho.jpg"},
  };
  for (const auto& [a, b] : different) EXPECT_NE(file(a), file(b)) << a << " and " << b;
}

// --- The runs of the sheets --------------------------------------------------------------------

// Each sheet closes itself at the end of its run and goes at the next message processing: the
// first three are gone when tbotoes's run returns, tbotoes itself and the last sheet at the
// next pump.
TEST_F(SheetsTest, EverySheetClosesItselfAndGoesAtTheNextPump) {
  stage.Create(tbotoes);
  EXPECT_TRUE(screen.errors.empty());
  EXPECT_EQ(LiveSheets(), (std::vector<std::string>{"tbotoes", "tBotoes5"}));
  app.ProcessMessages();
  EXPECT_EQ(LiveSheets(), std::vector<std::string>{});
}

// --- Failed writes -----------------------------------------------------------------------------

TEST_F(SheetsTest, FailureInTbotoesEndsTheWholeRunThere) {
  const PlanRecorder& written = ToDisk();
  const fs::path locked = Host("otica/submenuhelp1.bmp");
  WriteText(locked, "old");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  stage.Create(tbotoes);

  const std::vector<PlannedWrite>& plan = written.plan;
  ASSERT_FALSE(plan.empty());
  EXPECT_EQ(FileKey(plan.back().path), "otica/submenuhelp1.bmp") << "the last attempt";
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].caption, kApplicationTitle);
  EXPECT_EQ(screen.errors[0].text,
            "Cannot create file \"d:\\vexon7\\btn\\otica\\submenuhelp1.bmp\". " +
                Reason(disk, platform::SysError::kAccessDenied) + ".");
  // Everything before it stays; nothing of criarcobranca, later routines or sheets.
  std::set<std::string> expected = {"otica/submenuhelp1.bmp"};
  for (std::size_t i = 0; i + 1 < plan.size(); ++i) {
    expected.insert(FileKey(plan[i].path));
    EXPECT_EQ(plan[i].sheet, "tbotoes");
  }
  EXPECT_EQ(FilesUnder(tmp / "vexon7/btn"), expected);
  EXPECT_EQ(plan.size() - 1, 51u + 408 + 180 + 9 * 15 * 2 + 9 * 2)
      << "logos, master data, login, the submenu blocks into pet, gourmet, padaria, oficina and "
         "the five blue and light-blue folders, then 9 purple buttons in otica";
  EXPECT_EQ(ReadText(locked), "old");
  EXPECT_TRUE(MarkerFileThere()) << "the marker file stays";
  EXPECT_EQ(events.back(), "error " + screen.errors[0].text) << "no step after the error";
  EXPECT_EQ(PictureShow->Progresso->Progress(), 4);
  EXPECT_EQ(tbotoes1, nullptr) << "no later sheet was created";
  EXPECT_EQ(app.ExitCode(), 1);
}

// A file an earlier run left read-only stops the sheet that writes it, and only that sheet:
// the run is a clean run's less the rest of that sheet, with one error box.
TEST_F(SheetsTest, ReadOnlyFileStopsOnlyItsSheet) {
  const std::vector<PlannedWrite> clean = WholePlan();
  const PlanRecorder& written = ToDisk();
  // peqhome is the fourth button of tbotoes2's pet routine, its second.
  const fs::path locked = Host("pet/peqhome1.bmp");
  WriteText(locked, "old");
  fs::permissions(locked, fs::perms::owner_read);
  stage.Create(tbotoes);

  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].caption, kApplicationTitle);
  EXPECT_EQ(screen.errors[0].text, "Cannot create file \"d:\\vexon7\\btn\\pet\\peqhome1.bmp\". " +
                                       Reason(disk, platform::SysError::kAccessDenied) + ".");
  std::vector<std::string> expected;
  bool stopped = false;
  for (const PlannedWrite& w : clean) {
    if (stopped && w.sheet == "tbotoes2") continue;
    expected.push_back(w.path);
    stopped = stopped || FileKey(w.path) == "pet/peqhome1.bmp";
  }
  std::vector<std::string> attempted;
  for (const PlannedWrite& w : written.plan) attempted.push_back(w.path);
  EXPECT_EQ(attempted, expected);
  EXPECT_EQ(Of(written.plan, "tbotoes2").size(), 142u + 7u) << "selvo, then 7 writes into pet";
  std::set<std::string> files;
  for (const std::string& path : expected) files.insert(FileKey(path));
  EXPECT_EQ(FilesUnder(tmp / "vexon7/btn"), files);
  EXPECT_EQ(ReadText(locked), "old");
  // tbotoes2 made 2 of its 10 steps; the other sheets all theirs.
  EXPECT_EQ(PictureShow->Progresso->Progress(), 43 - 8);
  EXPECT_FALSE(MarkerFileThere()) << "the marker file is still deleted";
  app.ProcessMessages();
  EXPECT_EQ(LiveSheets(), std::vector<std::string>{"tbotoes2"}) << "a stopped sheet stays";
  EXPECT_EQ(app.ExitCode(), 1);
}

TEST_F(SheetsTest, MissingFolderStopsEachSheetAtItsFirstWriteThereAndTheRunGoesOn) {
  ToDisk();
  // The union's folder goes away once tbotoes's own routines are done.
  onStep = [this](int progress) {
    if (progress == 9) fs::remove_all(tmp / "vexon7/btn/sindicato");
  };
  stage.Create(tbotoes);

  const std::vector<PlannedWrite> plan = Of(recorderToDisk.plan, "tbotoes1");
  ASSERT_EQ(plan.size(), 10u);
  EXPECT_EQ(FileKey(plan.back().path), "sindicato/fundo.jpg");
  const std::string error = "Cannot create file \"d:\\vexon7\\btn\\sindicato\\fundo.jpg\". " +
                            Reason(disk, platform::SysError::kPathNotFound) + ".";
  // The later sheets stop at their own first write into the missing folder, one box each.
  const std::vector<std::string> errors = Texts(screen.errors);
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_EQ(errors[0], error);
  for (std::size_t i = 1; i < errors.size(); ++i)
    EXPECT_TRUE(errors[i].starts_with("Cannot create file \"d:\\vexon7\\btn\\sindicato\\"))
        << errors[i];
  for (std::size_t i = 0; i + 1 < plan.size(); ++i)
    EXPECT_TRUE(fs::exists(Host(FileKey(plan[i].path)))) << plan[i].path;
  // After the error box tbotoes makes its next step and goes on to the next sheet.
  const auto at = std::find(events.begin(), events.end(), "error " + error);
  ASSERT_NE(at, events.end());
  ASSERT_NE(at + 1, events.end());
  EXPECT_EQ(*(at + 1), "step 11");
  EXPECT_FALSE(MarkerFileThere()) << "the marker file is still deleted";
  // The steps of the sheets that stopped early are left undone: tbotoes1 makes 1 of its 6,
  // tbotoes2 3 of 10 (its red block writes sindicato first), tbotoes3 2 of 7, tBotoes5 3 of 8;
  // tbotoes makes all its 12.
  EXPECT_EQ(PictureShow->Progresso->Progress(), 12 + 1 + 3 + 2 + 3);
  app.ProcessMessages();
  EXPECT_EQ(LiveSheets(),
            (std::vector<std::string>{"tbotoes1", "tbotoes2", "tbotoes3", "tBotoes5"}))
      << "the stopped sheets stay";
}

}  // namespace
}  // namespace varnel

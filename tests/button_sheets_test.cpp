// Sheets tbotoes2, tbotoes3 and tBotoes5 created from their stored layouts: which files each
// writes and where, the order of the writes wherever a routine departs from its colour blocks,
// the components they hold, the pictures on disk, their formcreate sequences, and a write that
// fails inside a sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Proceda.h"
#include "export/PictureSinks.h"
#include "export/SheetRun.h"
#include "forms/Components.h"
#include "platform/Text.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "run/Gauges.h"
#include "run/PicShow.h"
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
using testing_support::TempDir;

const std::string kBtn = "d:\\vexon7\\btn\\";

// Where a write lands, relative to btn, with the separator as composed: "erp/peqhome1.bmp" for
// a pair export, "gourmet\previewxls1.bmp" for a direct save.
std::string Where(const PlannedWrite& write) {
  return write.path.substr(kBtn.size());
}

// The file a write lands on, as the file system reads the path: "erp\peqhome1.bmp".
std::string File(const PlannedWrite& write) {
  std::string file = Where(write);
  std::replace(file.begin(), file.end(), '/', '\\');
  return file;
}

std::string FolderOf(const PlannedWrite& write) {
  const std::string file = File(write);
  return file.substr(0, file.find('\\'));
}

// The file name less "1.bmp" or "2.bmp".
std::string StemOf(const PlannedWrite& write) {
  const std::string file = File(write);
  const std::string name = file.substr(file.find('\\') + 1);
  return name.substr(0, name.size() - 5);
}

// The three sheets, by the name of their form class.
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

const Sheet& SheetNamed(const std::string& name) {
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5})
    if (sheet->name == name) return *sheet;
  throw std::invalid_argument(name);
}

// Records what a run does, in order: "pump", "step", and the name of each routine when its
// first write arrives.
class EventSink : public PictureSink {
 public:
  explicit EventSink(std::vector<std::string>& events) : events_(events) {}
  void Write(const PlannedWrite& write, const forms::TGraphic&) override {
    if (write.routine != last_) events_.push_back(write.routine);
    last_ = write.routine;
  }

 private:
  std::vector<std::string>& events_;
  std::string last_;
};

class ButtonSheetsTest : public ::testing::Test {
 protected:
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::RecordingScreen screen;
  testing_support::SheetStage stage{disk, screen};
  forms::TApplication& app = stage.app;
  PlanRecorder recorder;

  void SetUp() override { stage.sink.Use(&recorder); }

  // The sheets alive now: the framework clears a sheet's variable when it is released.
  static int LiveSheets() {
    return (tbotoes2 != nullptr) + (tbotoes3 != nullptr) + (tBotoes5 != nullptr);
  }

  // The writes of one sheet's run, recorded without touching the disk.
  std::vector<PlannedWrite> Plan(const Sheet& sheet) {
    recorder.plan.clear();
    sheet.create(stage);
    EXPECT_TRUE(screen.errors.empty()) << sheet.name << ": " << screen.errors.front().text;
    return recorder.plan;
  }

  // Writes to the temporary drive from now on, still recording the plan.
  PlanRecorder ToDisk() {
    for (std::string_view folder : kEditionFolders)
      fs::create_directories(tmp / ("vexon7/btn/" + std::string(folder)));
    return PlanRecorder(&stage.fileSink);
  }

  fs::path Host(const std::string& file) const {
    std::string relative = file;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return tmp / ("vexon7/btn/" + relative);
  }
};

// ---------------------------------------------------------------------------------------------
// Which files, and where.

TEST_F(ButtonSheetsTest, FilesPerSheetAndFolder) {
  struct Case {
    const Sheet& sheet;
    std::size_t files;
    std::map<std::string, int> perFolder;
  };
  const auto folders = [](std::initializer_list<std::string> names, int count) {
    std::map<std::string, int> out;
    for (const std::string& name : names) out[name] = count;
    return out;
  };
  const auto merge = [](std::initializer_list<std::map<std::string, int>> parts) {
    std::map<std::string, int> out;
    for (const auto& part : parts) out.insert(part.begin(), part.end());
    return out;
  };
  const Case cases[] = {
      // Two files per stem of the routine in each folder of its theme.
      {kTbotoes2, 2674,
       merge({folders({"selvo", "tarnix", "gourmet", "padaria", "producao"}, 142),
              folders({"pet"}, 168), folders({"sindicato", "dental"}, 162),
              folders({"oficina"}, 170), folders({"lexor"}, 140),
              folders({"otica", "beauty", "frentedecaixa", "erp", "clean", "mercado", "caixa"},
                      166)})},
      {kTbotoes3, 1510,
       merge({folders({"frentedecaixa", "erp", "clean", "mercado", "caixa", "gourmet", "padaria",
                       "dental", "sindicato", "oficina", "pet", "producao", "otica", "beauty",
                       "selvo", "tarnix"},
                      68),
              folders({"lexor"}, 62), folders({"relatorio"}, 44), folders({"control"}, 316)})},
      {kTBotoes5, 2076,
       merge({folders({"frentedecaixa"}, 138),
              folders({"mercado", "caixa", "otica", "padaria", "selvo", "pet"}, 132),
              folders({"oficina"}, 130),
              folders({"beauty", "gourmet", "dental", "sindicato", "producao", "tarnix"}, 126),
              folders({"clean"}, 98), folders({"erp"}, 84), folders({"lexor"}, 78)})},
  };
  for (const Case& c : cases) {
    const std::vector<PlannedWrite> plan = Plan(c.sheet);
    std::set<std::string> distinct;
    std::map<std::string, int> perFolder;
    for (const PlannedWrite& write : plan) {
      distinct.insert(File(write));
      ++perFolder[FolderOf(write)];
    }
    EXPECT_EQ(distinct.size(), c.files) << c.sheet.name;
    // No path is written twice, so no later write replaces an earlier one.
    EXPECT_EQ(plan.size(), c.files) << c.sheet.name;
    EXPECT_EQ(perFolder, c.perFolder) << c.sheet.name;
  }
}

TEST_F(ButtonSheetsTest, FilesPerRoutine) {
  const std::map<std::string, std::map<std::string, int>> expected = {
      {"tbotoes2",
       {{"CriarBotaoSelvo", 142},
        {"CriarBotaoPet", 168},
        {"CriarbotaoVermelho", 324},
        {"CriarBotaoOuro", 142},
        {"CriarBotaoOficina", 170},
        {"CriarBotaoCinza", 282},
        {"CriarBotaoBege", 284},
        {"CriarBotaoRoxo", 332},
        {"CriarBotaoAzul", 498},
        {"CriarBotaoCaixaNaoFiscal", 332}}},
      {"tbotoes3",
       {{"criarbotaocontrol", 316},
        {"criarbotaopreview", 612},
        {"criarbotaovida", 340},
        {"criarbotaof3", 136},
        {"criarbotaopagamento", 96},
        {"criarbotaorelato", 10}}},
      {"tBotoes5",
       {{"criarmicrobotao", 54},
        {"criarutilcaixa", 718},
        {"criarutilitario", 646},
        {"criarquasor", 18},
        {"criarnfe", 480},
        {"criarxmlcompra", 96},
        {"criarEmail", 64}}},
  };
  for (const auto& [name, routines] : expected) {
    std::map<std::string, int> counted;
    for (const PlannedWrite& write : Plan(SheetNamed(name))) {
      EXPECT_EQ(write.sheet, name);
      ++counted[write.routine];
    }
    EXPECT_EQ(counted, routines) << name;
  }
}

// Every write is one half of a button pair in an edition folder, from a component of the
// folder's own colour, under the stem its name gives, except where a component is named
// otherwise.
TEST_F(ButtonSheetsTest, EveryFileComesFromItsFoldersColourUnderItsStem) {
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
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5}) {
    for (const PlannedWrite& write : Plan(*sheet)) {
      SCOPED_TRACE(sheet->name + " " + write.component + " " + write.path);
      ASSERT_EQ(write.path.substr(0, kBtn.size()), kBtn);
      const std::string file = File(write);
      EXPECT_EQ(platform::LowerAscii(file), file);
      ASSERT_EQ(colourOf.count(FolderOf(write)), 1u);
      EXPECT_EQ(write.slot, file.ends_with("1.bmp") ? "Picture1" : "Picture2");
      EXPECT_TRUE(file.ends_with("1.bmp") || file.ends_with("2.bmp"));
      const std::string component = platform::LowerAscii(write.component);
      if (auto odd = otherStems.find(component); odd != otherStems.end()) {
        EXPECT_EQ(odd->second.count(StemOf(write)), 1u);
        continue;
      }
      std::string colour = colourOf[FolderOf(write)];
      std::string base = component;
      // The two families of cash-register utilities with names of their own.
      for (const auto& [family, stem] :
           {std::pair<std::string, std::string>{"utilnotafiscal", "utilnfe"}, {"utilnfce", "nfce"}})
        if (base == family + colour) base = stem + colour;
      ASSERT_TRUE(base.ends_with(colour));
      EXPECT_EQ(StemOf(write), base.substr(0, base.size() - colour.size()));
    }
  }
}

TEST_F(ButtonSheetsTest, WhichFoldersHoldWhichButtons) {
  struct Case {
    const char* sheet;
    const char* file;
    bool present;
  };
  const Case cases[] = {
      // The nfc button by theme: oficina both, cinza/azul/aqua peqnfce only, the rest peqnfc.
      {"tbotoes2", "oficina\\peqnfc1.bmp", true},
      {"tbotoes2", "oficina\\peqnfce2.bmp", true},
      {"tbotoes2", "lexor\\peqnfce1.bmp", true},
      {"tbotoes2", "lexor\\peqnfc1.bmp", false},
      {"tbotoes2", "clean\\peqnfce1.bmp", true},
      {"tbotoes2", "clean\\peqnfc2.bmp", false},
      {"tbotoes2", "caixa\\peqnfc1.bmp", false},
      {"tbotoes2", "selvo\\peqnfc1.bmp", true},
      {"tbotoes2", "beauty\\peqnfce1.bmp", false},
      {"tbotoes2", "dental\\peqnfce1.bmp", false},
      // paf32 and peqcontar left out; peqgrade in producao only.
      {"tbotoes2", "sindicato\\paf321.bmp", false},
      {"tbotoes2", "dental\\peqcontar1.bmp", false},
      {"tbotoes2", "lexor\\paf322.bmp", false},
      {"tbotoes2", "tarnix\\paf321.bmp", true},
      {"tbotoes2", "producao\\peqgrade1.bmp", true},
      {"tbotoes2", "lexor\\peqgrade1.bmp", false},
      {"tbotoes2", "erp\\peqgrade1.bmp", true},
      {"tbotoes2", "gourmet\\peqgrade1.bmp", false},
      // Clinic buttons: ten for the cashier editions, twelve for pet, red and purple.
      {"tbotoes2", "erp\\peqrefreshf51.bmp", true},
      {"tbotoes2", "clean\\peqmarcacao1.bmp", false},
      {"tbotoes2", "mercado\\peqrecepcao2.bmp", false},
      {"tbotoes2", "beauty\\peqmarcacao1.bmp", true},
      {"tbotoes2", "sindicato\\peqrecepcao1.bmp", true},
      {"tbotoes2", "pet\\peqtrnasferirf61.bmp", true},
      {"tbotoes2", "selvo\\peqpaciente1.bmp", false},
      {"tbotoes2", "pet\\peqservicos1.bmp", true},
      {"tbotoes2", "otica\\peqservicos1.bmp", false},
      {"tbotoes2", "oficina\\peqmenufiscalf122.bmp", true},
      {"tbotoes2", "oficina\\peqagenda1.bmp", true},
      {"tbotoes2", "erp\\peqconcluido1.bmp", true},
      {"tbotoes2", "mercado\\peqcorte1.bmp", true},
      {"tbotoes2", "pet\\peqcorte1.bmp", false},
      // Control buttons only in control; no perdidofiltro; no payment buttons in lexor.
      {"tbotoes3", "control\\perdidofiltro1.bmp", false},
      {"tbotoes3", "control\\perdidoativar1.bmp", true},
      {"tbotoes3", "control\\recebidoativo2.bmp", true},
      {"tbotoes3", "control\\pagarcheque1.bmp", true},
      {"tbotoes3", "control\\pagocheque1.bmp", false},
      {"tbotoes3", "control\\pagarcalculo1.bmp", true},
      {"tbotoes3", "producao\\pagarcalculo1.bmp", true},
      {"tbotoes3", "lexor\\pagarcalculo1.bmp", false},
      {"tbotoes3", "relatorio\\pagarcalculo1.bmp", false},
      {"tbotoes3", "relatorio\\previewxls1.bmp", true},
      {"tbotoes3", "relatorio\\vidaacesso1.bmp", false},
      {"tbotoes3", "relatorio\\submenumestre2.bmp", true},
      {"tbotoes3", "relatorio\\submenmestre1.bmp", false},
      // No nfce in oficina; qs buttons in erp, frentedecaixa and clean only; lens folders.
      {"tBotoes5", "oficina\\nfce1.bmp", false},
      {"tBotoes5", "oficina\\utilnfe1.bmp", true},
      {"tBotoes5", "mercado\\nfce2.bmp", true},
      {"tBotoes5", "producao\\nfce1.bmp", true},
      {"tBotoes5", "erp\\qsmala1.bmp", true},
      {"tBotoes5", "clean\\qsatividade2.bmp", true},
      {"tBotoes5", "mercado\\qsmala1.bmp", false},
      {"tBotoes5", "erp\\utilcpf1.bmp", false},
      {"tBotoes5", "lexor\\utilcpf1.bmp", false},
      {"tBotoes5", "lexor\\config1.bmp", true},
      {"tBotoes5", "clean\\nfegerar1.bmp", false},
      {"tBotoes5", "clean\\emailenviar1.bmp", false},
      {"tBotoes5", "padaria\\microbinoculo1.bmp", true},
      {"tBotoes5", "gourmet\\microbinoculo1.bmp", false},
      {"tBotoes5", "otica\\microluneta2.bmp", true},
      {"tBotoes5", "beauty\\microluneta1.bmp", false},
      {"tBotoes5", "erp\\micromicroscopio1.bmp", false},
      {"tBotoes5", "tarnix\\microbinoculo1.bmp", false},
      {"tBotoes5", "oficina\\utilimpresssorafiscal1.bmp", true},
      {"tBotoes5", "oficina\\utilimpressorafiscal1.bmp", false},
  };
  std::map<std::string, std::set<std::string>> written;
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5})
    for (const PlannedWrite& write : Plan(*sheet)) written[sheet->name].insert(File(write));
  for (const Case& c : cases)
    EXPECT_EQ(written[c.sheet].count(c.file), c.present ? 1u : 0u) << c.sheet << " " << c.file;
}

// ---------------------------------------------------------------------------------------------
// What the sheets hold.

TEST_F(ButtonSheetsTest, ComponentsHeldAndThoseNoRoutineWrites) {
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

// The caption of the tab sheet holding a component.
std::string PageOf(const forms::TComponent* component) {
  for (const forms::TComponent* at = component; at != nullptr;) {
    if (const auto* tab = dynamic_cast<const forms::TTabSheet*>(at)) return tab->Caption;
    const auto* control = dynamic_cast<const forms::TControl*>(at);
    at = control != nullptr ? control->Parent : nullptr;
  }
  return std::string();
}

TEST_F(ButtonSheetsTest, PictureSizesByKindOfButton) {
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
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5}) {
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

// ---------------------------------------------------------------------------------------------
// The order of the writes where a routine departs from its colour blocks.

// The writes of Picture1 only, each as "<component, lower case> <where>".
std::vector<std::string> RestWrites(const std::vector<PlannedWrite>& plan) {
  std::vector<std::string> out;
  for (const PlannedWrite& write : plan)
    if (write.slot == "Picture1")
      out.push_back(platform::LowerAscii(write.component) + " " + Where(write));
  return out;
}

TEST_F(ButtonSheetsTest, WriteSequencesAtEachDeparture) {
  struct Case {
    const char* sheet;
    const char* what;
    std::vector<std::string> run;  // consecutive rest-look writes, from the first one on
  };
  const Case cases[] = {
      {"tbotoes2",
       "pet: peqcontar before peqfiltrar",
       {"peqxmlmusgo pet/peqxml1.bmp", "peqcontarmusgo pet/peqcontar1.bmp",
        "peqfiltrarmusgo pet/peqfiltrar1.bmp", "peqconvertemusgo pet/peqconverte1.bmp"}},
      {"tbotoes2",
       "pet: peqservicos and the clinic block after peqimpressora",
       {"peqimpressoramusgo pet/peqimpressora1.bmp", "peqservicosmusgo pet/peqservicos1.bmp",
        "peqrefreshf5musgo pet/peqrefreshf51.bmp"}},
      {"tbotoes2",
       "pet: back to the common list after the clinic block",
       {"peqmontaragendamusgo pet/peqmontaragenda1.bmp",
        "peqagendarvisitamusgo pet/peqagendarvisita1.bmp"}},
      {"tbotoes2",
       "red: sindicato first, no paf32",
       {"peqsugestaovermelho sindicato/peqsugestao1.bmp",
        "peqsugestaovermelho dental/peqsugestao1.bmp",
        "peqimprimirvermelho sindicato/peqimprimir1.bmp"}},
      {"tbotoes2",
       "red: the clinic block after peqfiltroon",
       {"peqfiltroonvermelho dental/peqfiltroon1.bmp",
        "peqrefreshf5vermelho sindicato/peqrefreshf51.bmp"}},
      {"tbotoes2",
       "red: no peqcontar",
       {"peqfiltrarvermelho dental/peqfiltrar1.bmp",
        "peqconvertevermelho sindicato/peqconverte1.bmp"}},
      {"tbotoes2",
       "yellow: the nfc button first as peqnfce",
       {"peqsugestaoamarelo oficina/peqsugestao1.bmp", "peqnfcamarelo oficina/peqnfce1.bmp",
        "paf32amarelo oficina/paf321.bmp"}},
      {"tbotoes2",
       "yellow: peqclonar after peqexcluir",
       {"peqexcluiramarelo oficina/peqexcluir1.bmp", "peqclonaramarelo oficina/peqclonar1.bmp",
        "peqincluiramarelo oficina/peqincluir1.bmp"}},
      {"tbotoes2",
       "yellow: peqhelpf1 after peqcalculo",
       {"peqfiltroonamarelo oficina/peqfiltroon1.bmp", "peqdataamarelo oficina/peqdata1.bmp",
        "peqcalculoamarelo oficina/peqcalculo1.bmp", "peqhelpf1amarelo oficina/peqhelpf11.bmp",
        "peqrelatorioamarelo oficina/peqrelatorio1.bmp"}},
      {"tbotoes2",
       "yellow: the nfc button again as peqnfc, at its place",
       {"peqnfeamarelo oficina/peqnfe1.bmp", "peqnfcamarelo oficina/peqnfc1.bmp",
        "peqreferenciaamarelo oficina/peqreferencia1.bmp"}},
      {"tbotoes2",
       "yellow: the workshop block at the end, with PeqAgendaAmarela",
       {"peqemailamarelo oficina/peqemail1.bmp", "peqosnovaamarelo oficina/peqosnova1.bmp"}},
      {"tbotoes2",
       "yellow: the agenda button",
       {"peqbuscaf8amarelo oficina/peqbuscaf81.bmp", "peqagendaamarela oficina/peqagenda1.bmp",
        "peqimprimirf9amarelo oficina/peqimprimirf91.bmp"}},
      {"tbotoes2",
       "grey: no paf32",
       {"peqsugestaocinza lexor/peqsugestao1.bmp", "peqimprimircinza producao/peqimprimir1.bmp"}},
      {"tbotoes2",
       "grey: peqclientes from peqclientecinza, nfc as peqnfce",
       {"peqfornecedorcinza lexor/peqfornecedor1.bmp", "peqclientecinza producao/peqclientes1.bmp",
        "peqclientecinza lexor/peqclientes1.bmp", "peqnfecinza producao/peqnfe1.bmp",
        "peqnfecinza lexor/peqnfe1.bmp", "peqnfccinza producao/peqnfce1.bmp",
        "peqnfccinza lexor/peqnfce1.bmp", "peqreferenciacinza producao/peqreferencia1.bmp"}},
      {"tbotoes2",
       "grey: peqgrade into producao only, after peqimpressora",
       {"peqimpressoracinza lexor/peqimpressora1.bmp", "peqgradecinza producao/peqgrade1.bmp",
        "peqagendarvisitacinza producao/peqagendarvisita1.bmp"}},
      {"tbotoes2",
       "purple: beauty first from paf32",
       {"peqsugestaoroxo beauty/peqsugestao1.bmp", "paf32roxo beauty/paf321.bmp",
        "paf32roxo otica/paf321.bmp"}},
      {"tbotoes2",
       "purple: otica first again from peqprodutos",
       {"peqreferenciaroxo otica/peqreferencia1.bmp", "peqprodutosroxo otica/peqprodutos1.bmp",
        "peqprodutosroxo beauty/peqprodutos1.bmp"}},
      {"tbotoes2",
       "purple: the clinic block after peqimpressora",
       {"peqimpressoraroxo beauty/peqimpressora1.bmp", "peqrefreshf5roxo otica/peqrefreshf51.bmp"}},
      {"tbotoes2",
       "blue: the clinic block without peqmarcacao and peqrecepcao",
       {"peqfiltroonazul clean/peqfiltroon1.bmp",
        "peqrefreshf5azul frentedecaixa/peqrefreshf51.bmp"}},
      {"tbotoes2",
       "blue: peqadicionar after peqatendimentof6",
       {"peqatendimentof6azul clean/peqatendimentof61.bmp",
        "peqadicionarazul frentedecaixa/peqadicionar1.bmp"}},
      {"tbotoes2",
       "blue: back to peqhelpf1 after the clinic block",
       {"peqmontaragendaazul clean/peqmontaragenda1.bmp",
        "peqhelpf1azul frentedecaixa/peqhelpf11.bmp"}},
      {"tbotoes2",
       "blue: peqcorte after peqcontar",
       {"peqcontarazul clean/peqcontar1.bmp", "peqcorteazul frentedecaixa/peqcorte1.bmp",
        "peqcorteazul erp/peqcorte1.bmp", "peqcorteazul clean/peqcorte1.bmp",
        "peqconverteazul frentedecaixa/peqconverte1.bmp"}},
      {"tbotoes2",
       "blue: nfc as peqnfce",
       {"peqnfeazul clean/peqnfe1.bmp", "peqnfcazul frentedecaixa/peqnfce1.bmp"}},
      {"tbotoes2",
       "blue: peqgrade after peqcalcularpreco",
       {"peqcalcularprecoazul clean/peqcalcularpreco1.bmp",
        "peqgradeazul frentedecaixa/peqgrade1.bmp", "peqgradeazul erp/peqgrade1.bmp",
        "peqgradeazul clean/peqgrade1.bmp", "peqkitazul frentedecaixa/peqkit1.bmp"}},
      {"tbotoes2",
       "light blue: the same departures",
       {"peqcontaraqua caixa/peqcontar1.bmp", "peqcorteaqua mercado/peqcorte1.bmp"}},
      {"tbotoes2",
       "light blue: nfc as peqnfce",
       {"peqnfeaqua caixa/peqnfe1.bmp", "peqnfcaqua mercado/peqnfce1.bmp"}},
      {"tbotoes2",
       "light blue: peqgrade",
       {"peqcalcularprecoaqua caixa/peqcalcularpreco1.bmp", "peqgradeaqua mercado/peqgrade1.bmp"}},
      {"tbotoes3",
       "control: direct saves, then pair exports, group by group",
       {"pagarfiltro control\\pagarfiltro1.bmp", "pagarexcluir control\\pagarexcluir1.bmp"}},
      {"tbotoes3",
       "control: pagar's pair exports, then perdido without filtro",
       {"pagarrealizado control\\pagarrealizado1.bmp",
        "pagarconciliado control/pagarconciliado1.bmp", "pagarcalculo control/pagarcalculo1.bmp",
        "perdidoexcluir control\\perdidoexcluir1.bmp"}},
      {"tbotoes3",
       "control: perdido's ativar",
       {"perdidoconciliado control\\perdidoconciliado1.bmp",
        "perdidoativar control/perdidoativar1.bmp", "perdidocalculo control/perdidocalculo1.bmp",
        "recebidofiltro control\\recebidofiltro1.bmp"}},
      {"tbotoes3",
       "control: receber, pair exports only, last",
       {"comissaopagarcalculo control/comissaopagarcalculo1.bmp",
        "receberfiltro control/receberfiltro1.bmp"}},
      {"tbotoes3",
       "preview: a direct block with previewxls as a one-folder pair export",
       {"previewhtmlbege gourmet\\previewhtml1.bmp", "previewxlsbege gourmet/previewxls1.bmp",
        "previewcalculobege gourmet\\previewcalculo1.bmp"}},
      {"tbotoes3",
       "preview: direct blocks go folder by folder",
       {"previewescbege gourmet\\previewesc1.bmp",
        "previewimprimabege padaria\\previewimprima1.bmp"}},
      {"tbotoes3",
       "preview: the grey pair block, relatorio first",
       {"previewescmusgo pet\\previewesc1.bmp", "previewimprimacinza relatorio/previewimprima1.bmp",
        "previewimprimacinza producao/previewimprima1.bmp",
        "previewimprimacinza lexor/previewimprima1.bmp",
        "previewemailcinza relatorio/previewemail1.bmp"}},
      {"tbotoes3",
       "preview: purple after grey, as a direct block",
       {"previewesccinza lexor/previewesc1.bmp", "previewimprimaroxo otica\\previewimprima1.bmp"}},
      {"tbotoes3",
       "customer history: grey third",
       {"vidacontratoaqua caixa/vidacontrato1.bmp", "vidaacessocinza producao/vidaacesso1.bmp"}},
      {"tbotoes3",
       "F3: the beige direct block after the light-blue pair block",
       {"f3aceiteaqua caixa/f3aceite1.bmp", "f3sigabege gourmet\\f3siga1.bmp",
        "f3saidabege gourmet\\f3saida1.bmp"}},
      {"tbotoes3",
       "payment: the grey block into producao only",
       {"pagarpreviamusgo pet\\pagarprevia1.bmp", "pagarcalculocinza producao\\pagarcalculo1.bmp",
        "pagardescontocinza producao\\pagardesconto1.bmp",
        "pagarpreviacinza producao\\pagarprevia1.bmp",
        "pagarcalculoroxo otica\\pagarcalculo1.bmp"}},
      {"tbotoes3",
       "report menu",
       {"relatopeqsair relatorio\\peqsair1.bmp", "relatopeqsiga relatorio\\peqsiga1.bmp",
        "relatopeqimpressora relatorio\\peqimpressora1.bmp",
        "relatosubmenmestre relatorio\\submenumestre1.bmp",
        "relatosubmenuhelp relatorio\\submenuhelp1.bmp"}},
      {"tBotoes5",
       "lens buttons: direct blocks first",
       {"microbinoculobege padaria\\microbinoculo1.bmp",
        "microlunetabege padaria\\microluneta1.bmp",
        "micromicroscopiobege padaria\\micromicroscopio1.bmp",
        "microbinoculoamarelo oficina\\microbinoculo1.bmp"}},
      {"tBotoes5",
       "lens buttons: the blue pair block, no erp",
       {"micromicroscopiomusgo pet\\micromicroscopio1.bmp",
        "microbinoculoazul frentedecaixa/microbinoculo1.bmp",
        "microbinoculoazul clean/microbinoculo1.bmp",
        "microlunetaazul frentedecaixa/microluneta1.bmp"}},
      {"tBotoes5",
       "lens buttons: purple into otica only",
       {"micromicroscopioaqua caixa/micromicroscopio1.bmp",
        "microbinoculoroxo otica/microbinoculo1.bmp", "microlunetaroxo otica/microluneta1.bmp"}},
      {"tBotoes5",
       "cash-register utilities: the yellow block without nfce",
       {"utilcaixaentradaamarelo oficina/utilcaixaentrada1.bmp",
        "utilnotafiscalamarelo oficina/utilnfe1.bmp", "utiltefadmamarelo oficina/utiltefadm1.bmp",
        "paf64azul frentedecaixa/paf641.bmp", "paf64azul clean/paf641.bmp"}},
      {"tBotoes5",
       "cash-register utilities: utilnfe and nfce from their own families",
       {"utilcaixaentradaaqua caixa/utilcaixaentrada1.bmp",
        "utilnotafiscalaqua mercado/utilnfe1.bmp", "utilnotafiscalaqua caixa/utilnfe1.bmp",
        "utilnfceaqua mercado/nfce1.bmp", "utilnfceaqua caixa/nfce1.bmp",
        "utiltefadmaqua mercado/utiltefadm1.bmp"}},
      {"tBotoes5",
       "cash-register utilities: purple beauty first, grey producao only",
       {"utiltefadmbege padaria/utiltefadm1.bmp", "paf64roxo beauty/paf641.bmp",
        "paf64roxo otica/paf641.bmp"}},
      {"tBotoes5",
       "cash-register utilities: grey into producao only",
       {"utiltefadmvermelho sindicato/utiltefadm1.bmp", "paf64cinza producao/paf641.bmp",
        "utilimpresssorafiscalcinza producao/utilimpresssorafiscal1.bmp"}},
      {"tBotoes5",
       "system utilities: blue with erp last",
       {"utiltefadmouro tarnix/utiltefadm1.bmp", "configazul frentedecaixa/config1.bmp",
        "configazul clean/config1.bmp", "configazul erp/config1.bmp"}},
      {"tBotoes5",
       "system utilities: purple otica first, then grey",
       {"ativarsmsaqua caixa/ativarsms1.bmp", "configroxo otica/config1.bmp",
        "configroxo beauty/config1.bmp"}},
      {"tBotoes5",
       "module buttons: erp first",
       {"ativarsmsamarelo oficina/ativarsms1.bmp", "qsmalaazul erp/qsmala1.bmp",
        "qsmalaazul frentedecaixa/qsmala1.bmp", "qsmalaazul clean/qsmala1.bmp",
        "qsperfilazul erp/qsperfil1.bmp"}},
      {"tBotoes5",
       "e-invoice: blue without clean",
       {"qsatividadeazul clean/qsatividade1.bmp", "nfegerarazul frentedecaixa/nfegerar1.bmp",
        "nfegerarazul erp/nfegerar1.bmp", "nfeconsultaazul frentedecaixa/nfeconsulta1.bmp"}},
      {"tBotoes5",
       "e-invoice: beige last",
       {"validarerroouro tarnix/validarerro1.bmp", "nfegerarbege gourmet/nfegerar1.bmp"}},
      {"tBotoes5",
       "purchase XML: musgo last, then e-mail",
       {"xmlcponlinemusgo pet/xmlcponline1.bmp", "emailenviarazul frentedecaixa/emailenviar1.bmp"}},
  };
  std::map<std::string, std::vector<std::string>> rest;
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5})
    rest[sheet->name] = RestWrites(Plan(*sheet));
  for (const Case& c : cases) {
    const std::vector<std::string>& writes = rest[c.sheet];
    const auto at = std::find(writes.begin(), writes.end(), c.run.front());
    ASSERT_NE(at, writes.end()) << c.what << ": no write " << c.run.front();
    ASSERT_GE(writes.end() - at, static_cast<std::ptrdiff_t>(c.run.size())) << c.what;
    EXPECT_EQ(std::vector<std::string>(at, at + static_cast<std::ptrdiff_t>(c.run.size())), c.run)
        << c.what;
  }
}

// Each button's hover look follows its look at rest into the same folder.
TEST_F(ButtonSheetsTest, HoverLookFollowsTheLookAtRest) {
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5}) {
    const std::vector<PlannedWrite> plan = Plan(*sheet);
    ASSERT_EQ(plan.size() % 2, 0u);
    for (std::size_t i = 0; i < plan.size(); i += 2) {
      std::string hover = plan[i].path;
      hover[hover.size() - 5] = '2';
      EXPECT_EQ(plan[i].slot, "Picture1") << plan[i].path;
      EXPECT_EQ(plan[i + 1].path, hover);
      EXPECT_EQ(plan[i + 1].component, plan[i].component);
      EXPECT_EQ(plan[i + 1].primitive, plan[i].primitive);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The files on disk.

TEST_F(ButtonSheetsTest, FilesOnDiskAreTheStoredPicturesAndTheSameInEveryFolderOfABlock) {
  PlanRecorder toDisk = ToDisk();
  stage.sink.Use(&toDisk);
  std::map<std::string, std::size_t> firstRun;  // file -> hash of its bytes
  for (const Sheet* sheet : {&kTbotoes2, &kTbotoes3, &kTBotoes5}) {
    sheet->create(stage);
    // One picture, one content: every file from the same slot of the same component is the
    // same, and it is the stored picture.
    std::map<std::pair<std::string, std::string>, std::set<std::string>> byPicture;
    for (const PlannedWrite& write : toDisk.plan) {
      if (write.sheet != sheet->name) continue;
      const std::string bytes = testing_support::ReadText(Host(File(write)));
      firstRun[File(write)] = std::hash<std::string>{}(bytes);
      byPicture[{write.component, write.slot}].insert(bytes);
      const auto* button =
          dynamic_cast<const TImageTri*>(sheet->get()->FindComponent(write.component));
      ASSERT_NE(button, nullptr);
      const forms::TGraphic* stored =
          (write.slot == "Picture1" ? button->Picture1 : button->Picture2).Graphic();
      ASSERT_NE(stored, nullptr);
      const auto whole = testing_pictures::WholeFile(*stored);
      EXPECT_EQ(bytes, std::string(whole.begin(), whole.end())) << write.path;
    }
    for (const auto& [picture, contents] : byPicture)
      EXPECT_EQ(contents.size(), 1u) << picture.first << " " << picture.second;
    app.ProcessMessages();
  }
  EXPECT_TRUE(screen.errors.empty());
  ASSERT_EQ(firstRun.size(), 2674u + 1510u + 2076u);
  // The same file name in the folders of one theme is one picture; another theme's is another.
  const auto same = [&](const char* a, const char* b) { return firstRun.at(a) == firstRun.at(b); };
  EXPECT_TRUE(same("frentedecaixa\\peqconcluido1.bmp", "erp\\peqconcluido1.bmp"));
  EXPECT_TRUE(same("frentedecaixa\\peqconcluido1.bmp", "clean\\peqconcluido1.bmp"));
  EXPECT_TRUE(same("mercado\\peqconcluido1.bmp", "caixa\\peqconcluido1.bmp"));
  EXPECT_FALSE(same("frentedecaixa\\peqconcluido1.bmp", "mercado\\peqconcluido1.bmp"));
  EXPECT_FALSE(same("frentedecaixa\\peqconcluido1.bmp", "frentedecaixa\\peqconcluido2.bmp"));
  EXPECT_TRUE(same("oficina\\peqnfc1.bmp", "oficina\\peqnfce1.bmp"));
  EXPECT_TRUE(same("oficina\\peqnfc2.bmp", "oficina\\peqnfce2.bmp"));
  EXPECT_TRUE(same("relatorio\\previewpdf1.bmp", "lexor\\previewpdf1.bmp"));
  EXPECT_TRUE(same("gourmet\\previewxls2.bmp", "padaria\\previewxls2.bmp"));
  EXPECT_FALSE(same("control\\pagarcalculo1.bmp", "producao\\pagarcalculo1.bmp"));
  EXPECT_TRUE(same("beauty\\paf641.bmp", "otica\\paf641.bmp"));

  // A second run over the installed tree rewrites the same files with the same bytes.
  const std::size_t firstWrites = toDisk.plan.size();
  kTbotoes2.create(stage);
  EXPECT_EQ(toDisk.plan.size(), firstWrites + 2674u);
  for (std::size_t i = firstWrites; i < toDisk.plan.size(); ++i) {
    const std::string file = File(toDisk.plan[i]);
    EXPECT_EQ(std::hash<std::string>{}(testing_support::ReadText(Host(file))), firstRun.at(file))
        << file;
  }
  EXPECT_TRUE(screen.errors.empty());
}

// ---------------------------------------------------------------------------------------------
// The run of each sheet.

TEST_F(ButtonSheetsTest, FormCreateSequences) {
  struct Case {
    const Sheet& sheet;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {kTbotoes2,
       {"pump",
        "step",
        "CriarBotaoSelvo",
        "step",
        "CriarBotaoPet",
        "step",
        "CriarbotaoVermelho",
        "step",
        "CriarBotaoOuro",
        "step",
        "pump",
        "CriarBotaoOficina",
        "step",
        "CriarBotaoCinza",
        "step",
        "CriarBotaoBege",
        "step",
        "CriarBotaoRoxo",
        "step",
        "CriarBotaoAzul",
        "step",
        "CriarBotaoCaixaNaoFiscal"}},
      {kTbotoes3,
       {"pump", "step", "pump", "criarbotaocontrol", "step", "criarbotaopreview", "step",
        "criarbotaovida", "step", "criarbotaof3", "step", "criarbotaopagamento", "step",
        "criarbotaorelato", "step"}},
      {kTBotoes5,
       {"pump", "step", "pump", "step", "criarmicrobotao", "step", "criarutilcaixa", "step",
        "criarutilitario", "step", "criarquasor", "step", "criarnfe", "step", "criarxmlcompra",
        "step", "criarEmail"}},
  };
  std::vector<std::string> events;
  EventSink sink(events);
  stage.sink.Use(&sink);
  screen.onPump = [&] { events.push_back("pump"); };
  stage.onStep = [&] { events.push_back("step"); };
  for (const Case& c : cases) {
    events.clear();
    PictureShow->Progresso->SetProgress(0);
    c.sheet.create(stage);
    EXPECT_EQ(events, c.events) << c.sheet.name;
    const int steps = static_cast<int>(std::count(c.events.begin(), c.events.end(), "step"));
    EXPECT_EQ(PictureShow->Progresso->Progress(), steps) << c.sheet.name;
    // The sheet closed itself: it goes at the next message processing.
    EXPECT_EQ(LiveSheets(), 1) << c.sheet.name;
    app.ProcessMessages();
    EXPECT_EQ(LiveSheets(), 0) << c.sheet.name;
  }
  EXPECT_TRUE(screen.errors.empty());
}

TEST_F(ButtonSheetsTest, AFailedWriteStopsThatSheetOnlyWithOneErrorBox) {
  PlanRecorder toDisk = ToDisk();
  stage.sink.Use(&toDisk);
  // peqhome is the fourth button of the pet routine; an earlier run left it read-only.
  const fs::path locked = Host("pet\\peqhome1.bmp");
  testing_support::WriteText(locked, "old");
  fs::permissions(locked, fs::perms::owner_read);

  kTbotoes2.create(stage);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].caption, "Varnel Configuração de ambiente");
  EXPECT_EQ(screen.errors[0].text,
            "Cannot create file \"d:\\vexon7\\btn\\pet\\peqhome1.bmp\". Access is denied.");
  // The failed write was the sheet's last: the rest of pet and the later routines, their steps
  // and the close did not happen.
  ASSERT_FALSE(toDisk.plan.empty());
  EXPECT_EQ(toDisk.plan.back().path, kBtn + "pet/peqhome1.bmp");
  EXPECT_EQ(toDisk.plan.size(), 142u + 7u);
  EXPECT_EQ(testing_support::ReadText(locked), "old");
  const auto filesIn = [&](const char* folder) {
    const fs::path path = tmp / "vexon7/btn" / folder;
    return std::distance(fs::directory_iterator(path), fs::directory_iterator());
  };
  EXPECT_EQ(filesIn("selvo"), 142);
  EXPECT_EQ(filesIn("pet"), 7) << "six written before the failure, and the locked file";
  EXPECT_EQ(filesIn("sindicato"), 0);
  EXPECT_EQ(PictureShow->Progresso->Progress(), 2);
  app.ProcessMessages();
  ASSERT_NE(tbotoes2, nullptr);
  EXPECT_EQ(LiveSheets(), 1) << "the stopped sheet stays";

  // The next sheet runs to its end.
  kTbotoes3.create(stage);
  EXPECT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(toDisk.plan.size(), 142u + 7u + 1510u);
  EXPECT_EQ(filesIn("control"), 316);
  EXPECT_EQ(PictureShow->Progresso->Progress(), 2 + 7);
  app.ProcessMessages();
  EXPECT_EQ(LiveSheets(), 1);
}

}  // namespace
}  // namespace varnel

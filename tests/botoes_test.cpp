// Sheets tbotoes and tbotoes1 with their stored layouts: the write plan of each sheet, every
// colour block in its form, folder order and stems, the formcreate sequences, the files a real
// run leaves and their bytes, and the failures that stop a sheet.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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
#include "platform/Resources.h"
#include "platform/Text.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "run/PicShow.h"
#include "sheets/vnBotoes.h"
#include "sheets/vnbotoes1.h"
#include "tests/SheetRunStage.h"
#include "tests/TempDir.h"
#include "tests/TestPictures.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

const std::string kBase = "d:\\vexon7\\btn\\";

// What happened, in order: "pump", "step <gauge progress>", "routine <sheet>.<routine>" at the
// first write of a routine, "error <text>" for an error box.
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

// Records the plan and notes where each routine starts; passes each write on when asked to.
class EventSink : public PictureSink {
 public:
  explicit EventSink(PictureSink* next = nullptr) : recorder(next) {}
  void Write(const PlannedWrite& write, const forms::TGraphic& graphic) override {
    const std::string routine = "routine " + write.sheet + "." + write.routine;
    if (events.empty() || events.back() != routine) events.push_back(routine);
    recorder.Write(write, graphic);
  }
  PlanRecorder recorder;
};

// The place of a written path: "folder/file", lower case, whichever separator the path used.
std::string FileKey(const std::string& path) {
  std::string rest = path.substr(kBase.size());
  std::replace(rest.begin(), rest.end(), '\\', '/');
  return platform::LowerAscii(rest);
}

std::string FolderOf(const std::string& path) {
  const std::string key = FileKey(path);
  return key.substr(0, key.find('/'));
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

std::string ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file under `root`, as "folder/file" relative to it.
std::set<std::string> FilesUnder(const fs::path& root) {
  std::set<std::string> out;
  if (!fs::exists(root)) return out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) out.insert(fs::relative(entry.path(), root).generic_string());
  return out;
}

// A sheet run inside a test application on a temporary drive d:, install root d:\vexon7.
class SheetsTest : public ::testing::Test {
 protected:
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  EventScreen screen;
  testing_support::SheetStage stage{disk, screen};
  forms::TApplication& app = stage.app;
  EventSink planOnly;
  EventSink planAndFiles{&stage.fileSink};

  void SetUp() override {
    onStep = nullptr;
    stage.onStep = [] {
      const int progress = PictureShow->Progresso->Progress();
      events.push_back("step " + std::to_string(progress));
      if (onStep) onStep(progress);
    };
    stage.sink.Use(&planOnly);
    events.clear();
  }
  void TearDown() override { onStep = nullptr; }

  void MakeTree(std::string_view except = {}) {
    for (std::string_view folder : kEditionFolders)
      if (folder != except) fs::create_directories(tmp / ("vexon7/btn/" + std::string(folder)));
  }

  // The plan of tbotoes's whole run (which creates tbotoes1 and the later sheets).
  std::vector<PlannedWrite> WholePlan() {
    stage.Create(tbotoes);
    return planOnly.recorder.plan;
  }
};

// --- What each sheet writes --------------------------------------------------------------------

TEST_F(SheetsTest, TbotoesWritesEachFileOnceInNineteenFolders) {
  const std::vector<PlannedWrite> plan = Of(WholePlan(), "tbotoes");
  ASSERT_EQ(plan.size(), 2697u);

  std::map<std::string, int> perRoutine;
  std::map<std::string, int> perFolder;
  std::set<std::string> files;
  for (const PlannedWrite& w : plan) {
    ++perRoutine[w.routine];
    ++perFolder[FolderOf(w.path)];
    EXPECT_TRUE(files.insert(FileKey(w.path)).second) << "written twice: " << w.path;
  }
  EXPECT_EQ(perRoutine, (std::map<std::string, int>{{"criarlogobanco", 51},
                                                    {"criartabelasgerais", 408},
                                                    {"criarlogin", 180},
                                                    {"criarsubmenu", 510},
                                                    {"criarcobranca", 186},
                                                    {"criarestoque", 646},
                                                    {"criarcontroltotal", 544},
                                                    {"criarrelatorio", 172}}));
  std::map<std::string, int> expected;
  for (const char* folder : {"selvo", "tarnix", "oficina", "gourmet", "padaria", "otica", "beauty",
                             "dental", "sindicato", "producao", "lexor"})
    expected[folder] = 152;
  expected["pet"] = 154;
  for (const char* folder : {"frentedecaixa", "clean", "erp", "caixa", "mercado"})
    expected[folder] = 162;
  expected["relatorio"] = 10;
  expected["boletologo"] = 51;
  EXPECT_EQ(perFolder, expected) << "nothing in control, orvix or varnel";
}

TEST_F(SheetsTest, Tbotoes1WritesEachFileOnce) {
  const std::vector<PlannedWrite> plan = Of(WholePlan(), "tbotoes1");
  ASSERT_EQ(plan.size(), 446u);
  std::map<std::string, int> perRoutine;
  std::map<std::string, int> perFolder;
  std::set<std::string> files;
  std::vector<std::string> graphicSaves;
  for (const PlannedWrite& w : plan) {
    ++perRoutine[w.routine];
    ++perFolder[FolderOf(w.path)];
    EXPECT_TRUE(files.insert(FileKey(w.path)).second) << "written twice: " << w.path;
    if (w.primitive == "GraphicSave") graphicSaves.push_back(w.component);
  }
  EXPECT_EQ(
      perRoutine,
      (std::map<std::string, int>{
          {"criarfundo", 38}, {"criarcaixa", 366}, {"criarsindicato", 36}, {"criarlexor", 6}}));
  EXPECT_EQ(perFolder, (std::map<std::string, int>{{"caixa", 45},
                                                   {"pet", 43},
                                                   {"oficina", 1},
                                                   {"otica", 41},
                                                   {"selvo", 40},
                                                   {"frentedecaixa", 47},
                                                   {"gourmet", 2},
                                                   {"dental", 1},
                                                   {"beauty", 36},
                                                   {"sindicato", 38},
                                                   {"tarnix", 2},
                                                   {"producao", 1},
                                                   {"lexor", 8},
                                                   {"erp", 1},
                                                   {"orvix", 1},
                                                   {"mercado", 47},
                                                   {"clean", 46},
                                                   {"padaria", 41},
                                                   {"varnel", 5}}));
  EXPECT_EQ(graphicSaves,
            (std::vector<std::string>{"logomarcatarnix", "logomarcaselvo", "logomarcaorvix",
                                      "logomarcaparceiro", "imagemgolfinho", "trevik"}));
  // The two sheets never write the same file.
  for (const PlannedWrite& w : Of(planOnly.recorder.plan, "tbotoes"))
    EXPECT_EQ(files.count(FileKey(w.path)), 0u) << w.path;
}

// --- Every colour block ------------------------------------------------------------------------

enum class Form { kPair, kDirect };

// One colour block as the catalogue gives it; colour "" for buttons named as their stem.
struct Block {
  std::string_view colour;
  Form form;
  std::vector<std::string_view> folders;
  std::vector<std::string_view> stems;
};

// The writes of a block in its form: pair exports stem by stem, direct saves folder by folder.
// Each as "<component in lower case> <path>".
void Expand(const Block& b, std::vector<std::string>& out) {
  const auto write = [&](std::string_view folder, std::string_view stem, const char* separator) {
    const std::string component = std::string(stem) + std::string(b.colour);
    const std::string path = kBase + std::string(folder) + separator + std::string(stem);
    out.push_back(component + " " + path + "1.bmp");
    out.push_back(component + " " + path + "2.bmp");
  };
  if (b.form == Form::kPair) {
    for (std::string_view stem : b.stems)
      for (std::string_view folder : b.folders) write(folder, stem, "/");
  } else {
    for (std::string_view folder : b.folders)
      for (std::string_view stem : b.stems) write(folder, stem, "\\");
  }
}

using S = std::vector<std::string_view>;
const S kTabelas = {"cliente",          "fornecedor", "vendedor",        "empresa",
                    "formapagamento",   "dolar",      "estado",          "cidade",
                    "clientepotencial", "setor",      "origemindicacao", "dre"};
const S kLogin = {"senhasiga", "senhaconfigurar", "senhasaida", "senhagravar", "senhaalterar"};
const S kSubmenu = {"submenutelefone", "submenuponto",          "submenuoficializar",
                    "submenutrevik",   "submenuagendatelefone", "submenuagendavisita",
                    "submenumestre",   "submenupalvo",          "submenufuncaofamilia",
                    "submenuhelp",     "submenuinternet",       "submenucalculadora",
                    "submenuinfo",     "submenusaida",          "submenudireitoautoral"};
const S kSubmenuBlue = {"submenutelefone",       "submenuponto",    "submenuoficializar",
                        "submenuagendatelefone", "submenutrevik",   "submenuagendavisita",
                        "submenumestre",         "submenupalvo",    "submenufuncaofamilia",
                        "submenuhelp",           "submenuinternet", "submenucalculadora",
                        "submenuinfo",           "submenusaida",    "submenudireitoautoral"};
const S kCobranca = {"cobranca", "ocorrencia", "bordero", "historicocobranca"};
const S kBalcao = {"caixa", "balcao", "expedicao", "envelope", "consulta"};
const S kEstoque = {"unirvenda",     "kit",         "contagem",    "sintegra60",
                    "ajuste",        "movimento",   "estoque",     "transporte",
                    "unidade",       "natureza",    "tributo",     "grupoxsubgrupo",
                    "subgrupo",      "grupo",       "ajustepreco", "promocao",
                    "transferencia", "tabelapreco", "sat"};
const S kControl = {"pagar",           "pago",          "receber",      "recebido",
                    "perdido",         "comissaopagar", "comissaopaga", "saldoconta",
                    "centroresultado", "planoconta",    "master",       "rateio",
                    "contacorrente",   "banco",         "doc",          "extrato"};
const S kRelatorio = {"grafico", "relatorio", "sped", "sintegra", "graficonovo"};

const S kAzulF = {"frentedecaixa", "clean", "erp"};
const S kAquaF = {"caixa", "mercado"};
const S kCinzaF = {"producao", "lexor"};
const S kBegeF = {"gourmet", "padaria"};
const S kRoxoF = {"otica", "beauty"};
const S kVermelhoF = {"dental", "sindicato"};

// The ten pair-export blocks of a routine that writes every colour in the sheet's lists.
std::vector<Block> TenPairBlocks(const std::vector<std::string_view>& colours, const S& stems) {
  const std::map<std::string_view, S> folders = {{"azul", kAzulF},       {"aqua", kAquaF},
                                                 {"cinza", kCinzaF},     {"bege", kBegeF},
                                                 {"roxo", kRoxoF},       {"vermelho", kVermelhoF},
                                                 {"musgo", {"pet"}},     {"amarelo", {"oficina"}},
                                                 {"laranja", {"selvo"}}, {"ouro", {"tarnix"}}};
  std::vector<Block> out;
  for (std::string_view colour : colours)
    out.push_back({colour, Form::kPair, folders.at(colour), stems});
  return out;
}

TEST_F(SheetsTest, EveryBlockInItsFormFolderOrderAndStems) {
  const S relatorioFirst(kRelatorio.begin(), kRelatorio.begin() + 4);
  const S caixaFull = {
      "cxhelp",       "cxproduto", "cxcliente",  "cxexcluir",        "cxpagar",
      "cxtroca",      "cxdav",     "cxvendedor", "cxprevenda",       "cxdesconto",
      "cxutil",       "cxpaf",     "cxserial",   "cxcalculo",        "cxgrade",
      "cxkit",        "cxinfo",    "cxsaida",    "cxcapturarbalcao", "cxcapturaror",
      "cxcapturaros", "cxmenu"};
  const S counter = {"cxhelp",    "cxproduto",  "cxcliente",  "cxexcluir",  "cxpagar", "cxtroca",
                     "cxdav",     "cxvendedor", "cxprevenda", "cxdesconto", "cxutil",  "cxpaf",
                     "cxcalculo", "cxkit",      "cxinfo",     "cxsaida"};
  S selvo = {"cxcapturarbalcao"};
  selvo.insert(selvo.end(), counter.begin(), counter.end());
  const S capture = {"cxcapturarbalcao", "cxcapturaror", "cxcapturaros"};
  S pet = counter;
  pet.insert(pet.end(), {"cxcapturarbalcao", "cxcapturaror", "cxcapturaros", "cxmenu"});
  const S padaria = {"cxhelp",           "cxproduto",    "cxcliente",    "cxexcluir",  "cxpagar",
                     "cxprevenda",       "cxpaf",        "cxtroca",      "cxvendedor", "cxdesconto",
                     "cxutil",           "cxcalculo",    "cxkit",        "cxinfo",     "cxsaida",
                     "cxcapturarbalcao", "cxcapturaror", "cxcapturaros", "cxmenu"};
  const S sindicato = {"sindicatoarrecadacao", "sindicatocomunicacao",
                       "sindicatoprocesso",    "sindicatotrabalhador",
                       "sindicatodsst",        "sindicatolicitacao",
                       "sindicatodespesa",     "sindicatobase",
                       "sindicatogenda",       "sindicatosecretariageral",
                       "sindicatojuridico",    "sindicatohomologacao",
                       "sindicatocipa",        "sindicatoviagem",
                       "sindicatobeneficio",   "calculotrabalhista",
                       "sindicatotriagem",     "sindicatomensalidade"};

  struct Case {
    const char* sheet;
    const char* routine;
    std::vector<Block> blocks;
  };
  const Case cases[] = {
      {"tbotoes", "criartabelasgerais",
       TenPairBlocks({"cinza", "azul", "aqua", "bege", "roxo", "vermelho", "musgo", "amarelo",
                      "laranja", "ouro"},
                     kTabelas)},
      {"tbotoes",
       "criarlogin",
       {{"musgo", Form::kDirect, {"pet"}, kLogin},
        {"azul", Form::kPair, kAzulF, kLogin},
        {"aqua", Form::kPair, kAquaF, kLogin},
        {"amarelo", Form::kDirect, {"oficina"}, kLogin},
        {"roxo", Form::kDirect, kRoxoF, kLogin},
        {"bege", Form::kDirect, kBegeF, kLogin},
        {"vermelho", Form::kDirect, {"dental"}, kLogin},
        {"cinza", Form::kPair, kCinzaF, kLogin},
        {"cinza", Form::kDirect, {"relatorio"}, kLogin},
        {"vermelho", Form::kDirect, {"sindicato"}, kLogin},
        {"laranja", Form::kPair, {"selvo"}, kLogin},
        {"ouro", Form::kPair, {"tarnix"}, kLogin}}},
      {"tbotoes",
       "criarsubmenu",
       {{"musgo", Form::kDirect, {"pet"}, kSubmenu},
        {"bege", Form::kDirect, kBegeF, kSubmenu},
        {"amarelo", Form::kDirect, {"oficina"}, kSubmenu},
        {"azul", Form::kPair, kAzulF, kSubmenuBlue},
        {"aqua", Form::kPair, kAquaF, kSubmenuBlue},
        {"roxo", Form::kDirect, kRoxoF, kSubmenu},
        {"laranja", Form::kDirect, {"selvo"}, kSubmenu},
        {"ouro", Form::kDirect, {"tarnix"}, kSubmenu},
        {"cinza", Form::kPair, kCinzaF, kSubmenu},
        {"vermelho", Form::kDirect, kVermelhoF, kSubmenu}}},
      {"tbotoes",
       "criarcobranca",
       {{"musgo", Form::kDirect, {"pet"}, kCobranca},
        {"amarelo", Form::kDirect, {"oficina"}, kCobranca},
        {"bege", Form::kDirect, kBegeF, kCobranca},
        {"azul", Form::kPair, kAzulF, kCobranca},
        {"azul", Form::kPair, kAzulF, kBalcao},
        {"aqua", Form::kPair, kAquaF, kBalcao},
        {"cinza", Form::kPair, kCinzaF, kCobranca},
        {"vermelho", Form::kDirect, {"dental"}, kCobranca},
        {"roxo", Form::kDirect, kRoxoF, kCobranca},
        {"vermelho", Form::kDirect, {"sindicato"}, kCobranca},
        {"laranja", Form::kPair, {"selvo"}, kCobranca},
        {"aqua", Form::kPair, kAquaF, kCobranca},
        {"ouro", Form::kPair, {"tarnix"}, kCobranca}}},
      {"tbotoes", "criarestoque",
       TenPairBlocks({"amarelo", "musgo", "bege", "azul", "aqua", "vermelho", "roxo", "cinza",
                      "laranja", "ouro"},
                     kEstoque)},
      {"tbotoes", "criarcontroltotal",
       TenPairBlocks({"cinza", "azul", "aqua", "musgo", "bege", "vermelho", "roxo", "laranja",
                      "amarelo", "ouro"},
                     kControl)},
      {"tbotoes", "criarrelatorio",
       [&] {
         std::vector<Block> blocks = {{"musgo", Form::kPair, {"pet"}, relatorioFirst},
                                      {"", Form::kPair, {"pet"}, {"relatoriopet"}},
                                      {"musgo", Form::kPair, {"pet"}, {"graficonovo"}}};
         for (const Block& b : TenPairBlocks({"bege", "amarelo", "azul", "aqua", "roxo", "cinza",
                                              "vermelho", "laranja", "ouro"},
                                             kRelatorio))
           blocks.push_back(b);
         return blocks;
       }()},
      {"tbotoes1",
       "criarcaixa",
       {{"azul", Form::kPair, {"frentedecaixa", "clean"}, caixaFull},
        {"aqua", Form::kPair, {"mercado", "caixa"}, caixaFull},
        {"laranja", Form::kDirect, {"selvo"}, selvo},
        {"", Form::kDirect, {"selvo"}, {"cxatualizarpreco", "cxfarmaciapopular"}},
        {"roxo", Form::kDirect, {"otica"}, counter},
        {"", Form::kDirect, {"otica"}, {"cxmedicao"}},
        {"roxo", Form::kDirect, {"otica"}, capture},
        {"roxo", Form::kDirect, {"beauty"}, counter},
        {"", Form::kDirect, {"beauty"}, {"cxmedicao"}},
        {"musgo", Form::kDirect, {"pet"}, pet},
        {"bege", Form::kDirect, {"padaria"}, padaria}}},
      {"tbotoes1", "criarsindicato", {{"", Form::kDirect, {"sindicato"}, sindicato}}},
  };
  const std::vector<PlannedWrite> plan = WholePlan();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.sheet) + "." + c.routine);
    std::vector<std::string> expected;
    for (const Block& b : c.blocks) Expand(b, expected);
    std::vector<std::string> actual;
    for (const PlannedWrite& w : Of(plan, c.sheet, c.routine))
      actual.push_back(platform::LowerAscii(w.component) + " " + w.path);
    EXPECT_EQ(actual, expected);
  }
}

// Exact runs of writes where a routine departs from the usual shape, each found by its first
// write.
TEST_F(SheetsTest, DeparturesWriteInThisOrder) {
  struct Case {
    const char* what;
    std::vector<std::string> writes;  // "<primitive> <component> <path below btn>"
  };
  const Case cases[] = {
      {"the pet report button between sintegra and graficonovo",
       {"PairExport sintegramusgo pet/sintegra1.bmp", "PairExport sintegramusgo pet/sintegra2.bmp",
        "PairExport relatoriopet pet/relatoriopet1.bmp",
        "PairExport relatoriopet pet/relatoriopet2.bmp",
        "PairExport graficonovomusgo pet/graficonovo1.bmp",
        "PairExport graficonovomusgo pet/graficonovo2.bmp",
        "PairExport graficobege gourmet/grafico1.bmp"}},
      {"blue submenu: agendatelefone before trevik",
       {"PairExport submenuoficializarazul erp/submenuoficializar1.bmp",
        "PairExport submenuoficializarazul erp/submenuoficializar2.bmp",
        "PairExport submenuagendatelefoneazul frentedecaixa/submenuagendatelefone1.bmp",
        "PairExport submenuagendatelefoneazul frentedecaixa/submenuagendatelefone2.bmp",
        "PairExport submenuagendatelefoneazul clean/submenuagendatelefone1.bmp",
        "PairExport submenuagendatelefoneazul clean/submenuagendatelefone2.bmp",
        "PairExport submenuagendatelefoneazul erp/submenuagendatelefone1.bmp",
        "PairExport submenuagendatelefoneazul erp/submenuagendatelefone2.bmp",
        "PairExport submenutrevikazul frentedecaixa/submenutrevik1.bmp"}},
      {"grey login buttons into relatorio, then red into sindicato",
       {"PairExport senhaalterarcinza lexor/senhaalterar2.bmp",
        "DirectSave senhasigacinza relatorio\\senhasiga1.bmp",
        "DirectSave senhasigacinza relatorio\\senhasiga2.bmp",
        "DirectSave senhaconfigurarcinza relatorio\\senhaconfigurar1.bmp"}},
      {"red login into sindicato after relatorio",
       {"DirectSave senhaalterarcinza relatorio\\senhaalterar2.bmp",
        "DirectSave senhasigavermelho sindicato\\senhasiga1.bmp"}},
      {"the blue sales desk right after the blue collection",
       {"PairExport historicocobrancaazul erp/historicocobranca2.bmp",
        "PairExport caixaazul frentedecaixa/caixa1.bmp",
        "PairExport caixaazul frentedecaixa/caixa2.bmp", "PairExport caixaazul clean/caixa1.bmp"}},
      {"selvo's cashier block: capture first, unsuffixed buttons last",
       {"PairExport cxmenuaqua caixa/cxmenu2.bmp",
        "DirectSave cxcapturarbalcaolaranja selvo\\cxcapturarbalcao1.bmp",
        "DirectSave cxcapturarbalcaolaranja selvo\\cxcapturarbalcao2.bmp",
        "DirectSave cxhelplaranja selvo\\cxhelp1.bmp"}},
      {"selvo's last buttons, then otica",
       {"DirectSave cxsaidalaranja selvo\\cxsaida2.bmp",
        "DirectSave cxatualizarpreco selvo\\cxatualizarpreco1.bmp",
        "DirectSave cxatualizarpreco selvo\\cxatualizarpreco2.bmp",
        "DirectSave cxfarmaciapopular selvo\\cxfarmaciapopular1.bmp",
        "DirectSave cxfarmaciapopular selvo\\cxfarmaciapopular2.bmp",
        "DirectSave cxhelproxo otica\\cxhelp1.bmp"}},
      {"otica: cxmedicao between the counter and the capture buttons",
       {"DirectSave cxsaidaroxo otica\\cxsaida2.bmp", "DirectSave cxmedicao otica\\cxmedicao1.bmp",
        "DirectSave cxmedicao otica\\cxmedicao2.bmp",
        "DirectSave cxcapturarbalcaoroxo otica\\cxcapturarbalcao1.bmp"}},
      {"beauty ends with cxmedicao, no capture buttons",
       {"DirectSave cxsaidaroxo beauty\\cxsaida2.bmp",
        "DirectSave cxmedicao beauty\\cxmedicao1.bmp",
        "DirectSave cxmedicao beauty\\cxmedicao2.bmp", "DirectSave cxhelpmusgo pet\\cxhelp1.bmp"}},
      {"padaria: cxprevenda and cxpaf before cxtroca",
       {"DirectSave cxpagarbege padaria\\cxpagar2.bmp",
        "DirectSave cxprevendabege padaria\\cxprevenda1.bmp",
        "DirectSave cxprevendabege padaria\\cxprevenda2.bmp",
        "DirectSave cxpafbege padaria\\cxpaf1.bmp", "DirectSave cxpafbege padaria\\cxpaf2.bmp",
        "DirectSave cxtrocabege padaria\\cxtroca1.bmp"}},
      {"the legal buttons under their short stems",
       {"PairExport lexorcontrato lexor/contrato1.bmp",
        "PairExport lexorcontrato lexor/contrato2.bmp",
        "PairExport lexoratividadeadvogado lexor/atividadeadv1.bmp",
        "PairExport lexoratividadeadvogado lexor/atividadeadv2.bmp",
        "PairExport lexorlancaratividade lexor/lancaratvidade1.bmp",
        "PairExport lexorlancaratividade lexor/lancaratvidade2.bmp"}},
      {"backgrounds shared by the union and orvix",
       {"DirectSave fundobeauty beauty\\fundo.jpg", "DirectSave fundodental sindicato\\fundo.jpg",
        "DirectSave fundotarnix tarnix\\fundo.jpg", "DirectSave fundoproducao producao\\fundo.jpg",
        "DirectSave fundolexor lexor\\fundo.jpg", "DirectSave fundoerp erp\\fundo.jpg",
        "DirectSave fundoerp orvix\\fundo.jpg",
        "DirectSave fundomercado frentedecaixa\\fundomercado.jpg",
        "DirectSave fundomercado mercado\\fundo.jpg",
        "DirectSave fundomercado mercado\\fundomercado.jpg"}},
      {"the graphic saves among the logos",
       {"DirectSave logomarcapet pet\\pet.bmp", "GraphicSave logomarcatarnix tarnix\\tarnix.bmp",
        "GraphicSave logomarcaselvo selvo\\selvo.bmp",
        "GraphicSave logomarcaorvix varnel\\logomarcaorvix.bmp",
        "GraphicSave logomarcaparceiro varnel\\logomarcaparceiro.bmp",
        "GraphicSave imagemgolfinho varnel\\golfinho.bmp",
        "DirectSave logomarcabeauty beauty\\beauty.bmp",
        "DirectSave logomarcaclean clean\\clean.bmp", "GraphicSave trevik varnel\\trevik.bmp",
        "DirectSave golfinho varnel\\golfinho.jpg"}},
      {"the cart and the bread under two names each, last of criarfundo",
       {"DirectSave carrinho frentedecaixa\\carrinho.jpg",
        "DirectSave carrinho mercado\\mercado.jpg", "DirectSave pao padaria\\pao.bmp",
        "DirectSave pao padaria\\padaria.bmp", "PairExport cxhelpazul frentedecaixa/cxhelp1.bmp"}},
  };
  std::vector<std::string> plan;
  for (const PlannedWrite& w : WholePlan())
    plan.push_back(w.primitive + " " + platform::LowerAscii(w.component) + " " +
                   w.path.substr(kBase.size()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto first = std::find(plan.begin(), plan.end(), c.writes.front());
    ASSERT_NE(first, plan.end()) << "no write " << c.writes.front();
    const auto count = std::min<std::ptrdiff_t>(std::distance(first, plan.end()),
                                                static_cast<std::ptrdiff_t>(c.writes.size()));
    EXPECT_EQ(std::vector<std::string>(first, first + count), c.writes);
  }
}

// The sizes of the written buttons: full-size 81 wide, small (submenu) 61 wide, hover looks the
// same size or 4 taller, and the two exceptions.
TEST_F(SheetsTest, ButtonPictureSizes) {
  const PictureStore tbotoesStore =
      PictureStore::Load(platform::FindEmbedded("TBOTOES"), "TBOTOES");
  const PictureStore tbotoes1Store =
      PictureStore::Load(platform::FindEmbedded("TBOTOES1"), "TBOTOES1");
  const std::map<std::string, std::pair<int, int>> exceptions = {
      {"promocaolaranja.Picture1", {81, 73}},
      {"promocaolaranja.Picture2", {81, 79}},
      {"MovimentoOuro.Picture1", {81, 75}},
      {"MovimentoOuro.Picture2", {81, 81}}};
  std::set<std::string> seenExceptions;
  for (const PlannedWrite& w : WholePlan()) {
    if (w.slot == "Picture" || (w.sheet != "tbotoes" && w.sheet != "tbotoes1")) continue;
    const PictureStore& store = w.sheet == "tbotoes" ? tbotoesStore : tbotoes1Store;
    const StoredPicture* picture = store.FindPicture(w.component, w.slot);
    ASSERT_NE(picture, nullptr) << w.component;
    const std::pair<int, int> size = {picture->graphic.width, picture->graphic.height};
    EXPECT_EQ(picture->graphic.depth, 24) << w.component;
    if (auto it = exceptions.find(w.component + "." + w.slot); it != exceptions.end()) {
      EXPECT_EQ(size, it->second) << it->first;
      seenExceptions.insert(it->first);
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
}

TEST_F(SheetsTest, BankLogosInTheirOrderAndSizes) {
  const std::vector<PlannedWrite> plan = Of(WholePlan(), "tbotoes", "criarlogobanco");
  const std::vector<std::string> codes = {
      "001", "004", "008", "021", "024", "041", "038", "036", "033", "031", "029", "028", "027",
      "070", "104", "151", "231", "237", "244", "246", "263", "275", "291", "320", "641", "604",
      "610", "422", "409", "399", "392", "389", "356", "353", "347", "341", "479", "707", "424",
      "453", "600", "633", "749", "623", "702", "637", "756", "748", "745", "741", "721"};
  ASSERT_EQ(plan.size(), codes.size());
  const PictureStore store = PictureStore::Load(platform::FindEmbedded("TBOTOES"), "TBOTOES");
  const std::map<std::string, std::pair<int, int>> odd = {
      {"041", {167, 54}}, {"748", {155, 57}}, {"756", {149, 37}}};
  for (std::size_t i = 0; i < codes.size(); ++i) {
    SCOPED_TRACE(codes[i]);
    EXPECT_EQ(plan[i].primitive, "DirectSave");
    EXPECT_EQ(plan[i].component, "lb" + codes[i]);
    EXPECT_EQ(plan[i].path, kBase + "boletologo\\" + codes[i] + ".bmp");
    const StoredPicture* picture = store.FindPicture(plan[i].component, "Picture");
    ASSERT_NE(picture, nullptr);
    const auto size = odd.count(codes[i]) ? odd.at(codes[i]) : std::pair<int, int>{149, 38};
    EXPECT_EQ(picture->graphic.width, size.first);
    EXPECT_EQ(picture->graphic.height, size.second);
  }
}

// --- The runs of the sheets --------------------------------------------------------------------

TEST_F(SheetsTest, FormcreateSequencesOfBothSheets) {
  fs::create_directories(tmp / "vexon7/txt");
  { std::ofstream(tmp / "vexon7/txt/pict.txt") << "x"; }
  WholePlan();
  std::vector<std::string> expected = {
      "pump", "step 1", "routine tbotoes.criarlogobanco", "step 2",
      "routine tbotoes.criartabelasgerais", "step 3", "routine tbotoes.criarlogin", "step 4",
      "routine tbotoes.criarsubmenu", "step 5", "routine tbotoes.criarcobranca", "step 6",
      "routine tbotoes.criarestoque", "step 7", "routine tbotoes.criarcontroltotal", "step 8",
      "routine tbotoes.criarrelatorio", "step 9",
      // tbotoes1: two steps in a row around its second pump.
      "pump", "step 10", "routine tbotoes1.criarfundo", "step 11", "routine tbotoes1.criarcaixa",
      "step 12", "pump", "step 13", "routine tbotoes1.criarsindicato", "step 14",
      "routine tbotoes1.criarlexor", "step 15",
      // Back in tbotoes: the three later sheets, each after its step.
      "step 16"};
  // The later sheets run inside, each after its step of tbotoes; the last of the 43 steps
  // fills the gauge, and no error box is shown.
  ASSERT_GE(events.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + expected.size()), expected);
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const std::string& e) { return e.starts_with("step "); }),
            43);
  EXPECT_EQ(events.back(), "routine tBotoes5.criarEmail") << "no step after its last routine";
  EXPECT_TRUE(screen.errors.empty());
  EXPECT_EQ(PictureShow->Progresso->Progress(), 43);
  EXPECT_FALSE(fs::exists(tmp / "vexon7/txt/pict.txt")) << "the marker-file step ran";
}

TEST_F(SheetsTest, FailureInSubmenuEndsTheWholeRunThere) {
  MakeTree();
  const fs::path locked = tmp / "vexon7/btn/otica/submenuhelp1.bmp";
  { std::ofstream(locked) << "old"; }
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directories(tmp / "vexon7/txt");
  { std::ofstream(tmp / "vexon7/txt/pict.txt") << "x"; }
  stage.sink.Use(&planAndFiles);
  stage.Create(tbotoes);

  const std::vector<PlannedWrite>& plan = planAndFiles.recorder.plan;
  ASSERT_FALSE(plan.empty());
  EXPECT_EQ(plan.back().path, kBase + "otica\\submenuhelp1.bmp") << "the last attempt";
  EXPECT_EQ(Texts(screen.errors),
            std::vector<std::string>{"Cannot create file \"d:\\vexon7\\btn\\otica\\"
                                     "submenuhelp1.bmp\". " +
                                     Reason(disk, platform::SysError::kAccessDenied) + "."});
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
  EXPECT_EQ(ReadHostFile(locked), "old");
  EXPECT_TRUE(fs::exists(tmp / "vexon7/txt/pict.txt")) << "the marker file stays";
  EXPECT_EQ(events.back(), "error " + screen.errors[0].text) << "no step after the error";
  EXPECT_EQ(tbotoes1, nullptr) << "no later sheet was created";
}

TEST_F(SheetsTest, Tbotoes1StopsAtItsTenthWriteWithoutSindicatoAndTheRunGoesOn) {
  MakeTree();
  fs::create_directories(tmp / "vexon7/txt");
  { std::ofstream(tmp / "vexon7/txt/pict.txt") << "x"; }
  // The union's folder goes away once tbotoes's own routines are done.
  onStep = [this](int progress) {
    if (progress == 9) fs::remove_all(tmp / "vexon7/btn/sindicato");
  };
  stage.sink.Use(&planAndFiles);
  stage.Create(tbotoes);

  const std::vector<PlannedWrite> plan = Of(planAndFiles.recorder.plan, "tbotoes1");
  ASSERT_EQ(plan.size(), 10u);
  EXPECT_EQ(plan.back().path, kBase + "sindicato\\fundo.jpg");
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
    EXPECT_TRUE(fs::exists(tmp / ("vexon7/btn/" + FileKey(plan[i].path)))) << plan[i].path;
  // After the error box tbotoes makes its next step and goes on to the next sheet.
  const auto at = std::find(events.begin(), events.end(), "error " + error);
  ASSERT_NE(at, events.end());
  ASSERT_NE(at + 1, events.end());
  EXPECT_EQ(*(at + 1), "step 11");
  EXPECT_FALSE(fs::exists(tmp / "vexon7/txt/pict.txt")) << "the marker file is still deleted";
  // The steps of the sheets that stopped early are left undone: tbotoes1 makes 1 of its 6,
  // tbotoes2 3 of 10 (its red block writes sindicato first), tbotoes3 2 of 7, tBotoes5 3 of 8;
  // tbotoes makes all its 12.
  EXPECT_EQ(PictureShow->Progresso->Progress(), 12 + 1 + 3 + 2 + 3);
}

// --- A complete run of the program -------------------------------------------------------------

class CompleteRunTest : public ::testing::Test {
 protected:
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::RecordingScreen screen;
  const InstallRoot root = InstallRoot::FromDirectory("d:\\vexon7");
  FileSink fileSink{disk};
  PlanRecorder recorder{&fileSink};

  int Run(PictureSink& sink) {
    fs::create_directories(tmp / "vexon7");
    return RunInstaller({disk, root, screen, [](int c) { throw forms::ProcessExit{c}; }, &sink});
  }
  int Run() { return Run(recorder); }
  std::string File(const std::string& key) const {
    return ReadHostFile(tmp / ("vexon7/btn/" + key));
  }
};

// The catalogue, transcribed block by block, makes 2,310 pair exports (909 into one folder,
// 1,164 into two, 237 into three), 1,501 direct saves and 6 graphic saves.
TEST_F(CompleteRunTest, CallsOfEachPrimitive) {
  PlanRecorder planOnly;
  ASSERT_EQ(Run(planOnly), 0);

  std::map<std::size_t, int> pairCallsByFolders;
  std::map<std::string, int> saves;
  std::string call;  // component and stem of the pair export being counted
  std::set<std::string> folders;
  const auto endCall = [&] {
    if (!call.empty()) ++pairCallsByFolders[folders.size()];
    call.clear();
    folders.clear();
  };
  for (const PlannedWrite& w : planOnly.plan) {
    if (w.primitive != "PairExport") {
      endCall();
      ++saves[w.primitive];
      continue;
    }
    const std::string key = FileKey(w.path);
    const std::string file = key.substr(key.find('/') + 1);
    const std::string thisCall = w.component + "|" + file.substr(0, file.size() - 5);
    if (thisCall != call) endCall();
    call = thisCall;
    folders.insert(FolderOf(w.path));
  }
  endCall();
  EXPECT_EQ(pairCallsByFolders, (std::map<std::size_t, int>{{1, 909}, {2, 1164}, {3, 237}}));
  EXPECT_EQ(saves, (std::map<std::string, int>{{"DirectSave", 1501}, {"GraphicSave", 6}}));
}

TEST_F(CompleteRunTest, WritesExactlyThePlannedFilesWithTheStoredBytes) {
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(screen.errors.empty());

  ASSERT_EQ(recorder.plan.size(), 9403u);
  std::map<std::string, PictureStore> stores;
  for (const char* sheet : {"tbotoes", "tbotoes1", "tbotoes2", "tbotoes3", "tBotoes5"}) {
    const std::string resource = platform::UpperAscii(sheet);
    stores.emplace(sheet, PictureStore::Load(platform::FindEmbedded(resource), resource));
  }
  const PictureStore& tbotoesStore = stores.at("tbotoes");
  std::set<std::string> planned;
  for (const PlannedWrite& w : recorder.plan) {
    const std::string key = FileKey(w.path);
    planned.insert(key);
    const StoredPicture* picture = stores.at(w.sheet).FindPicture(w.component, w.slot);
    ASSERT_NE(picture, nullptr) << w.component << "." << w.slot;
    const auto whole = testing_pictures::WholeFile(picture->graphic);
    const std::string stored(whole.begin(), whole.end());
    ASSERT_EQ(File(key), stored) << key << " holds " << w.component << "." << w.slot;
    // The extension agrees with what the bytes are.
    EXPECT_EQ(key.ends_with(".jpg"), stored.starts_with("\xFF\xD8")) << key;
    EXPECT_EQ(key.ends_with(".bmp"), stored.starts_with("BM")) << key;
  }
  EXPECT_EQ(FilesUnder(tmp / "vexon7/btn"), planned);

  // Files that hold one and the same picture, and pictures that differ.
  const std::vector<std::vector<std::string>> same = {
      {"frentedecaixa/cliente1.bmp", "clean/cliente1.bmp", "erp/cliente1.bmp"},
      {"caixa/cliente1.bmp", "mercado/cliente1.bmp"},
      {"dental/banco1.bmp", "sindicato/banco1.bmp"},
      {"producao/senhasiga1.bmp", "lexor/senhasiga1.bmp", "relatorio/senhasiga1.bmp"},
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
    for (const std::string& key : group) EXPECT_EQ(File(key), File(group[0])) << key;
  const std::vector<std::pair<std::string, std::string>> different = {
      {"frentedecaixa/cliente1.bmp", "caixa/cliente1.bmp"},
      {"frentedecaixa/cliente1.bmp", "frentedecaixa/cliente2.bmp"},
      {"selvo/fundo.jpg", "pet/fundo.jpg"},
      {"varnel/golfinho.bmp", "varnel/golfinho.jpg"},
  };
  for (const auto& [a, b] : different) EXPECT_NE(File(a), File(b)) << a << " and " << b;
  const StoredPicture* clienteazul = tbotoesStore.FindPicture("clienteazul", "Picture1");
  ASSERT_NE(clienteazul, nullptr);
  const auto cliente = testing_pictures::WholeFile(clienteazul->graphic);
  EXPECT_EQ(File("erp/cliente1.bmp"), std::string(cliente.begin(), cliente.end()));
  const StoredPicture* caixaazul = tbotoesStore.FindPicture("CaixaAzul", "Picture1");
  ASSERT_NE(caixaazul, nullptr);
  const auto caixa = testing_pictures::WholeFile(caixaazul->graphic);
  EXPECT_EQ(File("frentedecaixa/caixa1.bmp"), std::string(caixa.begin(), caixa.end()))
      << "the blue sales-desk button";

  // What these two sheets must not write (the later sheets write into relatorio and control).
  std::set<std::string> all;
  for (const PlannedWrite& w : recorder.plan)
    if (w.sheet == "tbotoes" || w.sheet == "tbotoes1") all.insert(FileKey(w.path));
  const auto matching = [&](const std::function<bool(const std::string&)>& test) {
    std::vector<std::string> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), test);
    return out;
  };
  const std::vector<std::string> none;
  EXPECT_EQ(matching([](const std::string& k) { return k.starts_with("erp/cx"); }), none)
      << "no cashier button in erp";
  EXPECT_EQ(matching([](const std::string& k) { return k.starts_with("padaria/cxdav"); }), none);
  EXPECT_EQ(matching([](const std::string& k) { return k.starts_with("beauty/cxcaptur"); }), none);
  EXPECT_EQ(
      matching([](const std::string& k) { return k.find("lancaratividade") != std::string::npos; }),
      none);
  EXPECT_EQ(matching([](const std::string& k) {
              return k.find("relatoriopet") != std::string::npos && !k.starts_with("pet/");
            }),
            none);
  EXPECT_EQ(matching([](const std::string& k) {
              return k.starts_with("relatorio/") && !k.starts_with("relatorio/senha");
            }),
            none);
  EXPECT_EQ(matching([](const std::string& k) {
              return k.starts_with("varnel/") || k.starts_with("orvix/") ||
                     k.starts_with("control/");
            }),
            (std::vector<std::string>{"orvix/fundo.jpg", "varnel/golfinho.bmp",
                                      "varnel/golfinho.jpg", "varnel/logomarcaorvix.bmp",
                                      "varnel/logomarcaparceiro.bmp", "varnel/trevik.bmp"}));
  for (const char* key :
       {"padaria/cxprevenda1.bmp", "padaria/cxpaf1.bmp", "lexor/lancaratvidade1.bmp",
        "lexor/lancaratvidade2.bmp", "pet/relatoriopet1.bmp", "otica/cxcapturaros2.bmp"})
    EXPECT_TRUE(all.count(key)) << key;
}

}  // namespace
}  // namespace varnel

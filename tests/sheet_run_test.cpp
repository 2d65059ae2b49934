// The sheet run with small test sheets: the order of writes of the primitives and of both
// colour block forms, the formcreate sequences, error containment, binding at load, release of
// closed sheets, and the marker file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/Proceda.h"
#include "export/MarkerFile.h"
#include "export/PictureFile.h"
#include "export/PictureSinks.h"
#include "export/SheetRun.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "run/PicShow.h"
#include "tests/SheetRunStage.h"
#include "tests/TempDir.h"
#include "widgets/ImageTri.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

// What happened during a run, in order: "pump", "step", "write <path>", "error <text>".
std::vector<std::string> events;

// Pictures for the test sheets: distinct bytes per slot so that the plan shows which was used.
const std::vector<std::uint8_t> kRest = {'B', 'M', 1};
const std::vector<std::uint8_t> kHover = {'B', 'M', 2};

forms::TGraphic Graphic(const std::vector<std::uint8_t>& bytes) {
  forms::TGraphic graphic;
  graphic.bytes = bytes;
  graphic.width = 1;
  graphic.height = 1;
  graphic.depth = 24;
  return graphic;
}

int LiveSheets();

// A sink that records each write and fails the write to one chosen path.
class TestSink : public PictureSink {
 public:
  void Write(const PlannedWrite& write, const forms::TGraphic& graphic) override {
    events.push_back("write " + write.path);
    plan.push_back(write);
    sizes.push_back(graphic.bytes.size());
    liveAtWrite.push_back(LiveSheets());
    if (write.path == failAt) throw forms::Exception("Cannot create file \"" + write.path + "\"");
  }
  std::vector<PlannedWrite> plan;
  std::vector<std::size_t> sizes;
  std::vector<int> liveAtWrite;
  std::string failAt;
};

// A sheet whose components are built in code: buttons "<name>" with both looks, plus an empty
// button "vazio" and a plain image "fundoteste".
class TestSheet : public TSheet {
 public:
  using TSheet::TSheet;
  std::vector<std::string> buttons;
  // The sheet's one export routine, and its formcreate; by default formcreate just runs the
  // routine.
  std::function<void(TestSheet&)> body;
  std::function<void(TestSheet&)> sequence = [](TestSheet& t) { t.Run(&TestSheet::criarteste); };
  bool failLoad = false;

  void criarteste() {
    if (body) body(*this);
  }
  std::vector<Routine> Routines() const override {
    return {R("criarteste", &TestSheet::criarteste)};
  }
  void formcreate() override { sequence(*this); }
  void LoadComponents() override {
    if (failLoad) throw forms::Exception("Damaged store TTESTE: wrong checksum");
    for (const std::string& name : buttons) {
      auto* tri = Add<TImageTri>(name);
      tri->Picture1.Assign(Graphic(kRest));
      tri->Picture2.Assign(Graphic(kHover));
    }
    Add<TImageTri>("vazio");
    Add<forms::TImage>("fundoteste")->Picture.Assign(Graphic(kRest));
  }

  // The protected steps, for the sequences written in the tests.
  using TSheet::Context;
  using TSheet::CreateSheet;
  using TSheet::DirectBlock;
  using TSheet::DirectSave;
  using TSheet::GraphicSave;
  using TSheet::PairBlock;
  using TSheet::PairExport;
  using TSheet::Pump;
  using TSheet::R;
  using TSheet::Run;
  using TSheet::Step;
  void Pump_() {
    events.push_back("pump");
    Pump();
  }
  void Step_() {
    events.push_back("step");
    Step();
  }
  void Close_() { Close(); }
};

// Sheet classes as the guard sees them; each configured by the test before creation.
std::function<void(TestSheet&)> configureA, configureB, configureC;
struct SheetA : TestSheet {
  static constexpr const char* kClassName = "testa";
  explicit SheetA(const RunContext& context) : TestSheet("testa", context) { configureA(*this); }
};
struct SheetB : TestSheet {
  static constexpr const char* kClassName = "testb";
  explicit SheetB(const RunContext& context) : TestSheet("testb", context) { configureB(*this); }
};
struct SheetC : TestSheet {
  static constexpr const char* kClassName = "testc";
  explicit SheetC(const RunContext& context) : TestSheet("testc", context) { configureC(*this); }
};
SheetA* sheetA = nullptr;
SheetB* sheetB = nullptr;
SheetC* sheetC = nullptr;

// The test sheets alive now: the framework clears a sheet's variable when it is released.
int LiveSheets() {
  return (sheetA != nullptr) + (sheetB != nullptr) + (sheetC != nullptr);
}

class SheetRunTest : public ::testing::Test {
 protected:
  TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::RecordingScreen screen;
  testing_support::SheetStage stage{disk, screen};
  forms::TApplication& app = stage.app;
  TestSink sink;

  void SetUp() override {
    events.clear();
    screen.onPump = [] {};
    stage.sink.Use(&sink);
    configureA = configureB = configureC = [](TestSheet&) {};
  }

  std::vector<std::string> Paths() const {
    std::vector<std::string> out;
    for (const PlannedWrite& write : sink.plan) out.push_back(write.path);
    return out;
  }
};

constexpr std::string_view kStems[] = {"Cliente", "dre"};

TEST_F(SheetRunTest, PairExportWritesFolderByFolderWithLowerCaseStem) {
  configureA = [](TestSheet& s) {
    s.buttons = {"PeqConcluidoAzul", "clienteAzul", "DREazul"};
    s.body = [](TestSheet& t) {
      t.PairExport("peqconcluidoazul", "PeqConcluido", {"erp"});
      // An empty f2 does not end the list: f1 and f3 are written.
      t.PairExport("PeqConcluidoAzul", "PeqConcluido", {"erp", "", "clean"});
      t.PairExport("PeqConcluidoAzul", "Ção", {"erp"});
    };
  };
  stage.Create(sheetA);
  EXPECT_EQ(Paths(), (std::vector<std::string>{
                         "d:\\vexon7\\btn\\erp/peqconcluido1.bmp",
                         "d:\\vexon7\\btn\\erp/peqconcluido2.bmp",
                         "d:\\vexon7\\btn\\erp/peqconcluido1.bmp",
                         "d:\\vexon7\\btn\\erp/peqconcluido2.bmp",
                         "d:\\vexon7\\btn\\clean/peqconcluido1.bmp",
                         "d:\\vexon7\\btn\\clean/peqconcluido2.bmp",
                         "d:\\vexon7\\btn\\erp/Ção1.bmp",
                         "d:\\vexon7\\btn\\erp/Ção2.bmp",
                     }));
  ASSERT_FALSE(sink.plan.empty());
  EXPECT_EQ(sink.plan[0].slot, "Picture1");
  EXPECT_EQ(sink.plan[1].slot, "Picture2");
  EXPECT_EQ(sink.plan[0].component, "PeqConcluidoAzul") << "the stored name";
  EXPECT_EQ(sink.plan[0].primitive, "PairExport");
  EXPECT_EQ(sink.plan[0].sheet, "testa");
  EXPECT_EQ(sink.plan[0].routine, "criarteste");
}

TEST_F(SheetRunTest, ColourBlocksInBothForms) {
  configureA = [](TestSheet& s) {
    s.buttons = {"clienteAqua", "DREAQUA"};
    s.body = [](TestSheet& t) {
      t.PairBlock(kAqua, kStems);
      t.DirectBlock(kAqua.In({"caixa", "mercado"}), kStems);
    };
  };
  stage.Create(sheetA);
  const std::string b = "d:\\vexon7\\btn\\";
  EXPECT_EQ(Paths(),
            (std::vector<std::string>{
                // pair exports, stem by stem, the theme's usual order
                b + "mercado/cliente1.bmp", b + "mercado/cliente2.bmp", b + "caixa/cliente1.bmp",
                b + "caixa/cliente2.bmp", b + "mercado/dre1.bmp", b + "mercado/dre2.bmp",
                b + "caixa/dre1.bmp", b + "caixa/dre2.bmp",
                // direct saves, folder by folder, in the order the routine gives
                b + "caixa\\Cliente1.bmp", b + "caixa\\Cliente2.bmp", b + "caixa\\dre1.bmp",
                b + "caixa\\dre2.bmp", b + "mercado\\Cliente1.bmp", b + "mercado\\Cliente2.bmp",
                b + "mercado\\dre1.bmp", b + "mercado\\dre2.bmp"}));
  EXPECT_EQ(sink.sizes[0], kRest.size());
  EXPECT_EQ(sink.plan[8].primitive, "DirectSave");
}

TEST_F(SheetRunTest, EmptySlotsWriteNothingButGraphicSaveFails) {
  configureA = [](TestSheet& s) {
    s.body = [](TestSheet& t) {
      t.PairExport("vazio", "vazio", {"erp", "clean"});
      t.DirectSave("vazio", Slot::Picture1, "\\btn\\erp\\vazio1.bmp");
      t.DirectSave("fundoteste", Slot::Picture, "\\btn\\erp\\fundo.jpg");
      t.GraphicSave("vazio", Slot::Picture2, "\\btn\\erp\\vazio2.bmp");
      t.DirectSave("fundoteste", Slot::Picture, "\\btn\\erp\\never.jpg");
    };
  };
  stage.Create(sheetA);
  EXPECT_EQ(Paths(), std::vector<std::string>{"d:\\vexon7\\btn\\erp\\fundo.jpg"});
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].text, std::string(kEmptyPictureText) + ".");
  EXPECT_EQ(app.ExitCode(), 1);
}

// tbotoes-like parent: pump, step, routine, then creates B and C each guarded, then the marker
// step and its own Close.
void ParentSequence(TestSheet& t) {
  t.Pump_();
  t.Step_();
  t.Run(&TestSheet::criarteste);
  t.Step_();
  t.CreateSheet(sheetB);
  t.Step_();
  t.CreateSheet(sheetC);
  events.push_back("marker");
  DeleteMarkerFile(t.Context());
  t.Close_();
}

void ChildSequence(TestSheet& t) {
  t.Pump_();
  t.Step_();
  t.Run(&TestSheet::criarteste);
  t.Step_();
  t.Close_();
}

// A writes its button into erp, then creates B (into clean) and C (into caixa).
void ConfigureParentAndTwoChildren() {
  configureA = [](TestSheet& s) {
    s.buttons = {"clienteazul"};
    s.sequence = ParentSequence;
    s.body = [](TestSheet& t) { t.PairExport("clienteazul", "cliente", {"erp"}); };
  };
  configureB = [](TestSheet& s) {
    s.buttons = {"clienteazul"};
    s.sequence = ChildSequence;
    s.body = [](TestSheet& t) { t.PairExport("clienteazul", "cliente", {"clean"}); };
  };
  configureC = [](TestSheet& s) {
    s.buttons = {"clienteazul"};
    s.sequence = ChildSequence;
    s.body = [](TestSheet& t) { t.PairExport("clienteazul", "cliente", {"caixa"}); };
  };
}

TEST_F(SheetRunTest, NestedSheetsRunInOrderAndAreReleasedAtTheNextPump) {
  ConfigureParentAndTwoChildren();
  stage.Create(sheetA);
  const std::string b = "d:\\vexon7\\btn\\";
  EXPECT_EQ(events, (std::vector<std::string>{
                        "pump", "step", "write " + b + "erp/cliente1.bmp",
                        "write " + b + "erp/cliente2.bmp", "step",
                        // B
                        "pump", "step", "write " + b + "clean/cliente1.bmp",
                        "write " + b + "clean/cliente2.bmp", "step",
                        // back in A
                        "step",
                        // C: B is released at C's first pump, after C's layout has loaded
                        "pump", "step", "write " + b + "caixa/cliente1.bmp",
                        "write " + b + "caixa/cliente2.bmp", "step", "marker"}));
  EXPECT_EQ(sink.liveAtWrite, (std::vector<int>{1, 1, 2, 2, 2, 2}));
  EXPECT_EQ(PictureShow->Progresso->Progress(), 7);
  EXPECT_TRUE(screen.errors.empty());
  EXPECT_EQ(app.ExitCode(), 0);
  app.ProcessMessages();
  EXPECT_EQ(LiveSheets(), 0) << "every closed sheet goes at the next pump";
}

TEST_F(SheetRunTest, ErrorInAChildSheetIsContainedThere) {
  ConfigureParentAndTwoChildren();
  sink.failAt = "d:\\vexon7\\btn\\clean/cliente2.bmp";
  stage.Create(sheetA);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].caption, "Varnel Configuração de ambiente");
  EXPECT_EQ(screen.errors[0].text, "Cannot create file \"" + sink.failAt + "\"");
  // B stopped after the failing write; A went on with its next step, C and the marker.
  const std::vector<std::string> tail(events.end() - 8, events.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"write " + sink.failAt, "step", "pump", "step",
                                            "write d:\\vexon7\\btn\\caixa/cliente1.bmp",
                                            "write d:\\vexon7\\btn\\caixa/cliente2.bmp", "step",
                                            "marker"}));
  app.ProcessMessages();
  EXPECT_EQ(LiveSheets(), 1) << "a stopped sheet stays until the end";
  EXPECT_NE(sheetB, nullptr);
  EXPECT_EQ(app.ExitCode(), 1);
}

TEST_F(SheetRunTest, ErrorInTheFirstSheetSkipsTheLaterSheetsAndTheMarker) {
  configureA = [](TestSheet& s) {
    s.buttons = {"clienteazul"};
    s.sequence = ParentSequence;
    s.body = [](TestSheet& t) { t.PairExport("clienteazul", "cliente", {"erp"}); };
  };
  configureB = [](TestSheet& s) { s.sequence = [](TestSheet&) { events.push_back("B ran"); }; };
  sink.failAt = "d:\\vexon7\\btn\\erp/cliente1.bmp";
  stage.Create(sheetA);
  EXPECT_EQ(events, (std::vector<std::string>{"pump", "step", "write " + sink.failAt}));
  EXPECT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(PictureShow->Progresso->Progress(), 1);
}

TEST_F(SheetRunTest, LoadErrorIsReportedAndTheNextSheetRuns) {
  configureA = [](TestSheet& s) {
    s.buttons = {"clienteazul"};
    s.sequence = ParentSequence;
    s.body = [](TestSheet& t) { t.PairExport("clienteazul", "cliente", {"erp"}); };
  };
  configureB = [](TestSheet& s) {
    s.failLoad = true;
    s.sequence = [](TestSheet&) { events.push_back("B ran"); };
  };
  configureC = [](TestSheet& s) {
    s.buttons = {"clienteazul"};
    s.sequence = ChildSequence;
    s.body = [](TestSheet& t) { t.PairExport("clienteazul", "cliente", {"caixa"}); };
  };
  stage.Create(sheetA);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].text,
            "Cannot load sheet testb: Damaged store TTESTE: wrong checksum.");
  EXPECT_EQ(sheetB, nullptr);
  EXPECT_EQ(events.back(), "marker");
  EXPECT_EQ(std::count(events.begin(), events.end(), "B ran"), 0);
  EXPECT_EQ(app.ExitCode(), 1);
}

void UsesMissingButton(TestSheet& t) {
  t.PairExport("clienteazul", "cliente", {"erp"});
  t.PairExport("fornecedorazul", "fornecedor", {"erp"});
}
void PairExportOfAPlainImage(TestSheet& t) {
  t.PairExport("fundoteste", "fundo", {"erp"});
}

TEST_F(SheetRunTest, BindingAtLoadNamesTheMissingComponentBeforeAnythingIsWritten) {
  const std::pair<void (*)(TestSheet&), const char*> cases[] = {
      {UsesMissingButton, "fornecedorazul"},
      {PairExportOfAPlainImage, "fundoteste"},
  };
  for (const auto& [routine, named] : cases) {
    screen.errors.clear();
    sink.plan.clear();
    static void (*current)(TestSheet&);
    current = routine;
    configureA = [](TestSheet& s) {
      s.buttons = {"clienteazul"};
      s.body = [](TestSheet& t) { current(t); };
    };
    stage.Create(sheetA);
    EXPECT_EQ(sheetA, nullptr);
    ASSERT_EQ(screen.errors.size(), 1u);
    EXPECT_NE(screen.errors[0].text.find(named), std::string::npos) << screen.errors[0].text;
    EXPECT_TRUE(sink.plan.empty()) << "nothing written by a sheet that does not bind";
  }
}

TEST_F(SheetRunTest, MarkerFile) {
  const fs::path txt = tmp / "vexon7/txt";
  const fs::path outside = tmp / "outside";
  disk.Confine(stage.root.Folder());
  struct Case {
    const char* what;
    std::function<void()> prepare;
    bool existsAfter;  // txt/pict.txt, as the install root sees it
  };
  const Case cases[] = {
      {"absent", [] {}, false},
      {"a file", [&] { testing_support::WriteText(txt / "pict.txt", "x"); }, false},
      {"a folder named pict.txt", [&] { fs::create_directory(txt / "pict.txt"); }, true},
      {"a read-only file",
       [&] {
         testing_support::WriteText(txt / "pict.txt", "x");
         fs::permissions(txt / "pict.txt", fs::perms::owner_read);
       },
       true},
      {"a link to a file outside: the link goes",
       [&] { fs::create_symlink(outside / "pict.txt", txt / "pict.txt"); }, false},
      {"txt a link to a folder outside: nothing is done through it",
       [&] {
         fs::remove(txt);
         fs::create_directory_symlink(outside, txt);
       },
       true},
  };
  for (const Case& c : cases) {
    fs::remove_all(txt);
    fs::create_directories(txt);
    fs::create_directories(outside);
    testing_support::WriteText(outside / "pict.txt", "outside");
    c.prepare();
    DeleteMarkerFile(stage.context);
    EXPECT_EQ(fs::exists(fs::symlink_status(txt / "pict.txt")), c.existsAfter) << c.what;
    EXPECT_EQ(testing_support::ReadText(outside / "pict.txt"), "outside") << c.what;
    if (fs::exists(txt / "pict.txt")) fs::permissions(txt / "pict.txt", fs::perms::owner_all);
  }
  EXPECT_TRUE(screen.errors.empty()) << "a failed deletion is not reported";
}

}  // namespace
}  // namespace varnel

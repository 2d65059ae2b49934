// What the generated art says, checked against what the catalogue does with it. The sheets'
// complete run is recorded without touching a disk, each written picture traced back through
// its layout to the art that was drawn for it:
// - a single picture that the catalogue shows in several editions names none of them and
//   wears no edition's colour; one shown by a single edition names no other edition and, when
//   it wears a theme's colour, wears that edition's; an edition's own background and logo
//   mark name it;
// - two files of different meaning never hold the same pixels, unless they are one picture
//   (one component, or components whose layout says they share their art);
// - every button label is drawn at a size that reads at 100%, clear of the button's rim.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/FrmVariaveis.h"
#include "export/PictureSinks.h"
#include "forms/Picture.h"
#include "platform/Text.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/testing/RecordingScreen.h"
#include "sheets/vnBotoes.h"
#include "tests/SheetRunStage.h"
#include "tests/TempDir.h"
#include "tools/artgen/Art.h"
#include "tools/artgen/Names.h"
#include "tools/artgen/Text.h"
#include "tools/layout/Layout.h"
#include "tools/pack/ArtFolder.h"

namespace varnel {
namespace {

using platform::LowerAscii;

// One file of the run: where it goes and what wrote it, and a hash of its pixels (the bytes
// after a bitmap's file and info headers, a JPEG's stream after its JFIF header), since the
// resolution fields of two pictures may differ where their pixels do not.
struct Written {
  PlannedWrite write;
  std::size_t pixels = 0;
};

class Collector : public PictureSink {
 public:
  void Write(const PlannedWrite& write, const forms::TGraphic& graphic) override {
    auto [it, added] = hashes_.emplace(graphic.bytes.data(), 0);
    if (added) {
      const std::span<const std::uint8_t> bytes = forms::FileBytes(graphic, scratch_);
      const std::size_t header = graphic.encoding == forms::TPictureEncoding::kBitmap ? 54 : 20;
      const std::size_t from = std::min(header, bytes.size());
      it->second = std::hash<std::string_view>()(std::string_view(
          reinterpret_cast<const char*>(bytes.data()) + from, bytes.size() - from));
    }
    files.push_back({write, it->second});
  }
  void Coming(const std::vector<forms::TGraphic>&) override {}
  std::vector<Written> files;

 private:
  std::map<const std::uint8_t*, std::size_t> hashes_;
  std::vector<std::uint8_t> scratch_;
};

// The files of tbotoes's whole run, which creates the four other sheets.
std::vector<Written> WholeRun() {
  testing_support::TempDir tmp;
  platform::PosixFileSystem disk{{{'d', tmp.path().string()}}};
  platform::RecordingScreen screen;
  testing_support::SheetStage stage{disk, screen};
  Collector collector;
  stage.sink.Use(&collector);
  stage.Create(tbotoes);
  stage.app.ProcessMessages();
  EXPECT_TRUE(screen.errors.empty());
  return collector.files;
}

const std::vector<Written>& RunFiles() {
  static const std::vector<Written> files = WholeRun();
  return files;
}

// The layouts, by form class.
const layout::Layout& LayoutOf(const std::string& form) {
  static std::map<std::string, layout::Layout> layouts;
  auto found = layouts.find(form);
  if (found == layouts.end()) {
    found = layouts
                .emplace(form, layout::ReadLayoutFile(std::string(VARNEL_SOURCE_DIR) + "/assets/" +
                                                      form + ".layout"))
                .first;
  }
  return found->second;
}

// The art request the build drew for a slot of a component, as tools/pack makes it.
artgen::ArtRequest RequestOf(const std::string& form, const std::string& component,
                             const std::string& slot) {
  const layout::Layout& parsed = LayoutOf(form);
  for (const layout::Component& c : parsed.components) {
    if (LowerAscii(c.name) != LowerAscii(component)) continue;
    for (const layout::PictureSlot& s : c.pictures)
      if (s.slot == slot) return pack::GeneratedArtRequest(parsed, c, s);
  }
  ADD_FAILURE() << form << ": no slot " << component << "." << slot << " in the layout";
  return {};
}

// The folder below btn that a path writes into.
std::string FolderOf(const std::string& path) {
  const std::string prefix = "d:\\vexon7\\btn\\";
  std::string rest = LowerAscii(path.substr(prefix.size()));
  std::replace(rest.begin(), rest.end(), '/', '\\');
  return rest.substr(0, rest.find('\\'));
}

// The folders an edition reads: every folder but the category folders and the maker's.
bool IsEdition(std::string_view folder) {
  return folder != "control" && folder != "relatorio" && folder != "boletologo" &&
         folder != "varnel";
}

// The editions a picture's words name, each by its display name; a longer name is taken
// before the shorter names inside it ("Frente de Caixa" is not also "Caixa").
std::set<std::string> EditionsNamed(const std::vector<std::string>& words) {
  std::vector<std::string> said;
  for (const std::string& w : words) said.push_back(LowerAscii(w));
  std::vector<std::pair<std::string, std::vector<std::string>>> names;
  for (std::string_view folder : kEditionFolders) {
    if (!IsEdition(folder)) continue;
    std::vector<std::string> name;
    for (const std::string& w : artgen::LabelWords(folder, false)) name.push_back(LowerAscii(w));
    names.emplace_back(std::string(folder), name);
  }
  std::stable_sort(names.begin(), names.end(),
                   [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
  std::set<std::string> named;
  for (const auto& [folder, name] : names) {
    for (std::size_t i = 0; !name.empty() && i + name.size() <= said.size(); ++i) {
      if (std::equal(name.begin(), name.end(), said.begin() + static_cast<long>(i))) {
        named.insert(folder);
        std::fill_n(said.begin() + static_cast<long>(i), name.size(), std::string());
      }
    }
  }
  return named;
}

double Distance(artgen::Rgb a, artgen::Rgb b) {
  return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) +
                   (a.b - b.b) * (a.b - b.b));
}

// The folders whose theme is drawn in a colour close to `colour` (none for a colour of its own).
std::set<std::string> FoldersClaimedBy(artgen::Rgb colour) {
  std::set<std::string> folders;
  for (const Theme* theme : kThemes) {
    const artgen::Theme* drawn = artgen::ThemeOfName("x" + std::string(theme->colour));
    if (drawn == nullptr || Distance(drawn->colour, colour) > 0.15) continue;
    for (std::string_view folder : theme->folders) folders.insert(std::string(folder));
  }
  return folders;
}

// --- Single pictures: what they say and where they go -----------------------------------------

TEST(GeneratedArtTest, SinglePicturesNameOnlyTheEditionsThatShowThem) {
  // An edition's own background or logo mark names that edition (not a brand of its own).
  // Each drawn single picture (form, art) and the edition folders it lands in.
  std::map<std::pair<std::string, std::string>, std::set<std::string>> shownIn;
  std::map<std::pair<std::string, std::string>, artgen::ArtRequest> requests;
  std::map<std::pair<std::string, std::string>, std::string> ownMark;
  for (const Written& file : RunFiles()) {
    const PlannedWrite& w = file.write;
    if (w.slot != "Picture") continue;
    const artgen::ArtRequest request = RequestOf(w.sheet, w.component, w.slot);
    const std::pair<std::string, std::string> art{request.form, LowerAscii(request.component)};
    requests[art] = request;
    const std::string folder = FolderOf(w.path);
    if (IsEdition(folder)) shownIn[art].insert(folder);
    // An edition's own background, and its logo mark named after its folder.
    const std::string name = LowerAscii(w.path.substr(w.path.find_last_of("\\/") + 1));
    if (IsEdition(folder) &&
        (name == "fundo.jpg" || (name == folder + ".bmp" && art.second.starts_with("logomarca")))) {
      ownMark[art] = folder;
    }
  }
  std::set<std::string> shared;
  for (const auto& [art, folders] : shownIn) {
    SCOPED_TRACE(art.first + " " + art.second);
    const artgen::Face face = artgen::FaceOf(requests[art]);
    const std::set<std::string> named = EditionsNamed(face.words);
    const std::set<std::string> claimed = FoldersClaimedBy(face.colour);
    if (folders.size() > 1) {
      shared.insert(art.second);
      EXPECT_TRUE(named.empty()) << "shown by several editions, names " << *named.begin();
      EXPECT_TRUE(claimed.empty())
          << "shown by several editions, in the colour of " << *claimed.begin();
    } else {
      const std::string& edition = *folders.begin();
      for (const std::string& other : named)
        EXPECT_EQ(other, edition) << "shown by " << edition << " only, names " << other;
      if (ownMark.count(art) != 0) {
        EXPECT_EQ(named.count(edition), 1u) << edition << "'s own background or logo, names "
                                            << (named.empty() ? "no edition" : *named.begin());
      }
      if (!claimed.empty()) {
        EXPECT_EQ(claimed.count(edition), 1u)
            << "shown by " << edition << " only, in the colour of " << *claimed.begin();
      }
    }
  }
  // The pictures the catalogue shares, found through the layouts (fundooficina is drawn as
  // fundoselvo) and the routines (fundoerp goes to erp and orvix).
  EXPECT_EQ(shared, (std::set<std::string>{"fundoselvo", "fundobeauty", "fundolexor", "fundoerp",
                                           "fundomercado", "carrinho"}));
}

// The check itself: a picture is found to name an edition by its display name, whole.
TEST(GeneratedArtTest, EditionNamesAreFoundWholeInAPicturesWords) {
  const struct {
    std::vector<std::string> words;
    std::set<std::string> named;
  } cases[] = {
      {{"Beauty"}, {"beauty"}},
      {{"Frente", "de", "Caixa"}, {"frentedecaixa"}},
      {{"Caixa", "Não", "Fiscal"}, {"caixa"}},
      {{"Mkt", "Pet"}, {"pet"}},
      {{"Ótica"}, {"otica"}},
      {{"Varnel"}, {}},
      {{"Carrinho"}, {}},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(EditionsNamed(c.words), c.named) << c.words.size();
}

// --- Different things look different ------------------------------------------------------------

TEST(GeneratedArtTest, FilesOfDifferentMeaningNeverHoldTheSamePixels) {
  struct Source {
    std::string art;      // "form/component.slot" of the art drawn
    std::string meaning;  // the words of the file's stem, family prefixes dropped
    std::string file;
  };
  std::map<std::size_t, std::vector<Source>> byPixels;
  for (const Written& file : RunFiles()) {
    const PlannedWrite& w = file.write;
    const artgen::ArtRequest request = RequestOf(w.sheet, w.component, w.slot);
    std::string name = LowerAscii(w.path.substr(w.path.find_last_of("\\/") + 1));
    name = name.substr(0, name.rfind('.'));
    if (w.slot != "Picture") name.pop_back();  // a button's "1" or "2"
    std::string meaning;
    for (const std::string& key : artgen::KeyWords(name)) meaning += key + " ";
    byPixels[file.pixels].push_back(
        {request.form + "/" + LowerAscii(request.component) + "." + request.slot, meaning, w.path});
  }
  for (const auto& [pixels, sources] : byPixels) {
    for (const Source& s : sources) {
      const Source& first = sources.front();
      EXPECT_TRUE(s.art == first.art || s.meaning == first.meaning)
          << "the same pixels in " << first.file << " (" << first.art << ") and " << s.file << " ("
          << s.art << ")";
    }
  }
}

// --- Labels that read ---------------------------------------------------------------------------

TEST(GeneratedArtTest, ButtonLabelsReadAtFullSizeAndKeepClearOfTheRim) {
  int small = 0, large = 0;
  for (const char* form : {"tbotoes", "tbotoes1", "tbotoes2", "tbotoes3", "tBotoes5"}) {
    const layout::Layout& parsed = LayoutOf(form);
    for (const layout::Component& c : parsed.components) {
      for (const layout::PictureSlot& s : c.pictures) {
        if (s.slot != "Picture1" && s.slot != "Picture2") continue;
        const artgen::ArtRequest request = RequestOf(form, c.name, s.slot);
        const std::optional<artgen::Label> label = artgen::ButtonLabel(request);
        if (!label) continue;  // a micro button: an icon only
        SCOPED_TRACE(std::string(form) + " " + c.name + "." + s.slot);
        const bool isSmall = request.width < 70;
        ++(isSmall ? small : large);
        EXPECT_GE(label->style.size, isSmall ? 9.0f : 10.0f);
        EXPECT_GE(label->style.squeeze, 0.85f);
        EXPECT_LE(label->lines.size(), 4u);
        // The body spans the picture less 2 pixels each side; text stays 3 pixels inside it.
        for (const std::u32string& line : label->lines)
          EXPECT_LE(artgen::TextWidth(label->style, line), static_cast<float>(request.width - 10));
      }
    }
  }
  EXPECT_GT(small, 1000);
  EXPECT_GT(large, 1000);
}

}  // namespace
}  // namespace varnel

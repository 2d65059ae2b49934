// The vocabulary every sheet shares: the edition folders under <install root>\btn and the
// colour themes that choose among them.
#pragma once

#include <array>
#include <cassert>  // IWYU pragma: keep
#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace varnel {

// The 22 edition folders, in the order the folder preparation creates them. No file is ever
// written under btn outside these.
inline constexpr std::array<std::string_view, 22> kEditionFolders = {
    "selvo",    "beauty",    "clean",     "lexor",         "padaria", "dental",
    "erp",      "orvix",     "control",   "frentedecaixa", "mercado", "caixa",
    "gourmet",  "varnel",    "oficina",   "pet",           "otica",   "tarnix",
    "producao", "relatorio", "sindicato", "boletologo"};

// The folders of a colour block, in the order its writes go: one to five edition folders.
class FolderList {
 public:
  static constexpr std::size_t kMax = 5;
  constexpr FolderList(std::initializer_list<std::string_view> folders) {
    assert(folders.size() >= 1 && folders.size() <= kMax);
    for (std::string_view folder : folders) names_[count_++] = folder;
  }
  constexpr const std::string_view* begin() const { return names_.data(); }
  constexpr const std::string_view* end() const { return names_.data() + count_; }
  constexpr std::size_t size() const { return count_; }
  constexpr std::string_view operator[](std::size_t i) const { return names_[i]; }

 private:
  std::array<std::string_view, kMax> names_{};
  std::size_t count_ = 0;
};

// A colour theme: the colour suffix of its buttons' component names, and the edition folders
// that show that colour, in their usual order.
struct Theme {
  std::string_view colour;
  FolderList folders;

  // The same colour written into other folders or in another order, as a routine says.
  constexpr Theme In(FolderList other) const { return Theme{colour, other}; }
};

inline constexpr Theme kAzul{"azul", {"frentedecaixa", "erp", "clean"}};  // blue
inline constexpr Theme kAqua{"aqua", {"mercado", "caixa"}};               // light blue
inline constexpr Theme kMusgo{"musgo", {"pet"}};                          // moss green
inline constexpr Theme kAmarelo{"amarelo", {"oficina"}};                  // yellow
inline constexpr Theme kLaranja{"laranja", {"selvo"}};                    // orange
inline constexpr Theme kOuro{"ouro", {"tarnix"}};                         // gold
inline constexpr Theme kCinza{"cinza", {"producao", "lexor"}};            // grey
inline constexpr Theme kBege{"bege", {"gourmet", "padaria"}};             // beige
inline constexpr Theme kRoxo{"roxo", {"otica", "beauty"}};                // purple
inline constexpr Theme kVermelho{"vermelho", {"dental", "sindicato"}};    // red

inline constexpr std::array<const Theme*, 10> kThemes = {
    &kAzul, &kAqua, &kMusgo, &kAmarelo, &kLaranja, &kOuro, &kCinza, &kBege, &kRoxo, &kVermelho};

}  // namespace varnel

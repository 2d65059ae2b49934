// What a picture's component name says about its look: the colour theme from the name's suffix,
// the edition a single picture belongs to, and the words of a button's label.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace artgen {

// A colour with channels in 0..1.
struct Rgb {
  float r = 0, g = 0, b = 0;
};

struct Theme {
  std::string_view suffix;  // the colour word, lower case, e.g. "azul"
  Rgb colour;               // the colour in which the theme's buttons are drawn
};

// 64-bit FNV-1a of the bytes; the seed of every per-name choice.
std::uint64_t Fnv1a(std::string_view text);

// ASCII lower case; other bytes unchanged.
std::string Lower(std::string_view text);

// The theme named by the colour suffix that ends `name`, compared without regard to case, or
// nullptr when the name carries none. A name that is only a colour word has no theme.
const Theme* ThemeOfName(std::string_view name);

// The name without its colour suffix, lower-cased ("ClienteAqua" -> "cliente").
std::string StemOfName(std::string_view name);

// The theme that serves an edition word ("pet" -> musgo); also finds an edition word that
// begins or ends a longer name ("relatoriopet", "lexorcontrato", "caixanaofiscal"). nullptr
// when no edition word fits.
const Theme* ThemeOfEdition(std::string_view word);

// The display words of a name, in UTF-8 with their accents: "formapagamento" gives
// {"Forma", "Pagamento"}, "peqnfe" {"NF-e"}, "submenuagendatelefone" {"Agenda", "Telefone"}.
// With `shorten` the usual button prefixes (submenu, peq, cx, util, ...) are dropped first.
std::vector<std::string> LabelWords(std::string_view name, bool shorten);

// The words of a name as lower-case dictionary keys (after shortening), in order; unknown runs
// of letters come out as they are. Keys per-name colours and icons, so that a family of
// buttons (pagarfiltro, pagarexcluir) shares its colour.
std::vector<std::string> KeyWords(std::string_view name);

// A deterministic colour for a name without theme: a hue from the name's first word.
Rgb ColourOfName(std::string_view name);

// A deterministic, moderately saturated colour from a seed.
Rgb ColourOfSeed(std::uint64_t seed);

}  // namespace artgen

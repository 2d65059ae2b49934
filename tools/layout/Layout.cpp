#include "tools/layout/Layout.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace layout {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool Same(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool IsIdentifier(std::string_view s) {
  if (s.empty()) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
  }
  return true;
}

bool ParseInt(std::string_view s, int& out) {
  auto [ptr, error] = std::from_chars(s.data(), s.data() + s.size(), out);
  return !s.empty() && error == std::errc() && ptr == s.data() + s.size();
}

constexpr std::string_view kClasses[] = {"TImage", "TImageTri",    "TEdit",     "TPanel",
                                         "TLabel", "TPageControl", "TTabSheet", "TGauge"};

class Parser {
 public:
  Parser(std::string_view text, const std::string& file) : text_(text) { layout_.file = file; }

  Layout Parse() {
    std::vector<int> open;  // indices of the objects not yet ended
    std::size_t start = 0;
    while (start <= text_.size()) {
      std::size_t stop = text_.find('\n', start);
      if (stop == std::string_view::npos) stop = text_.size();
      ++line_;
      const std::string_view line = Trim(text_.substr(start, stop - start));
      start = stop + 1;
      if (line.empty() || line.starts_with("//")) continue;
      if (line.starts_with("object ")) {
        if (!layout_.components.empty() && open.empty()) Fail("a second form in one file");
        OpenObject(line.substr(7), open.empty() ? -1 : open.back());
        open.push_back(static_cast<int>(layout_.components.size()) - 1);
      } else if (line == "end") {
        if (open.empty()) Fail("'end' without an open object");
        open.pop_back();
      } else {
        if (open.empty()) Fail("a property outside any object");
        Property(layout_.components[static_cast<std::size_t>(open.back())], line);
      }
    }
    if (layout_.components.empty()) Fail("no object in the file");
    if (!open.empty()) {
      line_ = layout_.components[static_cast<std::size_t>(open.back())].line;
      Fail("object " + layout_.components[static_cast<std::size_t>(open.back())].name +
           " has no 'end'");
    }
    return std::move(layout_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw LayoutError(layout_.file + ":" + std::to_string(line_) + ": " + message);
  }

  void OpenObject(std::string_view rest, int parent) {
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) Fail("expected 'object Name: TClass'");
    Component c;
    c.name = std::string(Trim(rest.substr(0, colon)));
    c.className = std::string(Trim(rest.substr(colon + 1)));
    c.parent = parent;
    c.line = line_;
    if (!IsIdentifier(c.name)) Fail("bad component name '" + c.name + "'");
    if (!IsIdentifier(c.className)) Fail("bad class name '" + c.className + "'");
    if (parent >= 0 && std::none_of(std::begin(kClasses), std::end(kClasses),
                                    [&](std::string_view known) { return known == c.className; }))
      Fail("unknown class " + c.className);
    for (const Component& other : layout_.components)
      if (Same(other.name, c.name))
        Fail("component " + c.name + " already defined at line " + std::to_string(other.line));
    if (parent >= 0) {
      const Component& holder = layout_.components[static_cast<std::size_t>(parent)];
      c.page = holder.page;
      if (holder.className == "TTabSheet") {
        for (const auto& [key, value] : holder.properties)
          if (key == "Caption") c.page = value;
      }
    }
    layout_.components.push_back(std::move(c));
  }

  void Property(Component& c, std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) Fail("expected 'Key = Value'");
    const std::string key(Trim(line.substr(0, equals)));
    const std::string_view raw = Trim(line.substr(equals + 1));
    if (key.empty() || raw.empty()) Fail("expected 'Key = Value'");
    for (char ch : key)
      if (!IsIdentifier(std::string_view(&ch, 1)) && ch != '.' && !(ch >= '0' && ch <= '9'))
        Fail("bad property name '" + key + "'");
    const std::vector<std::string_view> slots = SlotsOf(c.className);
    if (std::find(slots.begin(), slots.end(), key) != slots.end()) {
      Picture(c, key, raw);
      return;
    }
    if (key.starts_with("Picture") && key != "Picture3Pos")
      Fail(c.className + " has no picture slot " + key);
    for (const auto& existing : c.properties)
      if (Same(existing.first, key)) Fail("property " + key + " given twice");
    const std::string value = Value(raw);
    Check(c, key, value);
    c.properties.emplace_back(key, value);
  }

  // Quoted text with '' for a quote, or the bare text.
  std::string Value(std::string_view raw) const {
    if (raw.front() != '\'') return std::string(raw);
    std::string out;
    std::size_t i = 1;
    for (;; ++i) {
      if (i >= raw.size()) Fail("unterminated quoted text");
      if (raw[i] == '\'') {
        if (i + 1 < raw.size() && raw[i + 1] == '\'') {
          out += '\'';
          ++i;
          continue;
        }
        break;
      }
      out += raw[i];
    }
    if (i + 1 != raw.size()) Fail("text after the closing quote");
    return out;
  }

  void Check(const Component& c, const std::string& key, const std::string& value) const {
    static constexpr std::string_view kBooleans[] = {"Visible", "AutoSize", "Center", "Stretch",
                                                     "Transparent"};
    static constexpr std::string_view kIntegers[] = {"Left", "Top", "Width", "Height"};
    int number = 0;
    if (std::find(std::begin(kBooleans), std::end(kBooleans), key) != std::end(kBooleans) &&
        value != "True" && value != "False")
      Fail(key + " must be True or False, not '" + value + "'");
    if (std::find(std::begin(kIntegers), std::end(kIntegers), key) != std::end(kIntegers) &&
        !ParseInt(value, number))
      Fail(key + " must be an integer, not '" + value + "'");
    if (key == "Align" && value != "alNone" && value != "alTop" && value != "alBottom" &&
        value != "alLeft" && value != "alRight" && value != "alClient")
      Fail("Align must be one of alNone alTop alBottom alLeft alRight alClient, not '" + value +
           "'");
    if (key == "Picture3Pos") {
      if (c.className != "TImageTri") Fail(c.className + " has no Picture3Pos");
      if (value != "TopLeft" && value != "TopRight" && value != "BottomLeft" &&
          value != "BottomRight")
        Fail("Picture3Pos must be TopLeft, TopRight, BottomLeft or BottomRight, not '" + value +
             "'");
    }
  }

  void Picture(Component& c, const std::string& slot, std::string_view raw) {
    std::istringstream words{std::string(raw)};
    std::string encoding, size, word;
    words >> encoding >> size;
    PictureSlot p;
    p.slot = slot;
    p.line = line_;
    p.art = c.name;
    const std::size_t x = size.find('x');
    if (x == std::string::npos || !ParseInt(std::string_view(size).substr(0, x), p.width) ||
        !ParseInt(std::string_view(size).substr(x + 1), p.height))
      Fail(slot + ": expected 'bitmap WxH D' or 'jpeg WxH', not '" + std::string(raw) + "'");
    if (p.width < 1 || p.height < 1 || p.width > 65535 || p.height > 65535)
      Fail(slot + ": size " + size + " out of range");
    if (encoding == "bitmap") {
      p.encoding = Encoding::kBitmap;
      if (!(words >> word) || !ParseInt(word, p.depth) ||
          (p.depth != 8 && p.depth != 24 && p.depth != 32))
        Fail(slot + ": a bitmap needs its depth, 8, 24 or 32");
    } else if (encoding == "jpeg") {
      p.encoding = Encoding::kJpeg;
    } else {
      Fail(slot + ": unknown encoding '" + encoding + "' (bitmap or jpeg)");
    }
    p.artSlot = slot;
    while (words >> word) {
      if (!word.starts_with("art=")) Fail(slot + ": unexpected '" + word + "'");
      std::string_view source = std::string_view(word).substr(4);
      const std::size_t dot = source.find('.');
      if (dot != std::string_view::npos) {
        const std::string_view artSlot = source.substr(dot + 1);
        constexpr std::string_view kSlots[] = {"Picture", "Picture1", "Picture2", "Picture3"};
        if (std::find(std::begin(kSlots), std::end(kSlots), artSlot) == std::end(kSlots))
          Fail(slot + ": art=" + std::string(source) + " names no picture slot");
        p.artSlot = std::string(artSlot);
        source = source.substr(0, dot);
      }
      if (!IsIdentifier(source)) Fail(slot + ": unexpected '" + word + "'");
      p.art = std::string(source);
    }
    const std::vector<std::string_view> slots = SlotsOf(c.className);
    const auto rank = [&](std::string_view s) { return std::find(slots.begin(), slots.end(), s); };
    if (!c.pictures.empty() && rank(c.pictures.back().slot) >= rank(slot))
      Fail(slot + " must come after " + c.pictures.back().slot + " and only once");
    c.pictures.push_back(std::move(p));
  }

  std::string_view text_;
  Layout layout_;
  int line_ = 0;
};

}  // namespace

std::vector<std::string_view> SlotsOf(std::string_view className) {
  if (className == "TImage") return {"Picture"};
  if (className == "TImageTri") return {"Picture", "Picture1", "Picture2", "Picture3"};
  return {};
}

Layout ParseLayout(std::string_view text, const std::string& file) {
  return Parser(text, file).Parse();
}

Layout ReadLayoutFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LayoutError(path + ": cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return ParseLayout(text.str(), path);
}

}  // namespace layout

// The text form of a stored layout (assets/*.layout), read at build time by tools/pack and
// tools/artgen. One file per form, nested objects in the manner of a form file:
//
//   object PictureShow: TPictureShow        the form: its name and class
//     Caption = 'Instalador'                a property: quoted text ('' inside for a quote)
//     Visible = True                        or a bare word, number or set such as [fsBold]
//     object Image1: TImage                 a component held by the object around it
//       Picture = jpeg 86x115               a picture slot: jpeg WxH, or bitmap WxH D
//       Picture1 = bitmap 61x57 24 art=x    (D = 8, 24 or 32), optionally art=<name>: the
//     end                                   picture is the art of component <name>, so equal
//   end                                     pictures share their bytes; art=<name>.<slot>
//                                           takes that component's art of another slot (a
//                                           button's Picture holding its Picture1)
//
// Blank lines and lines starting with "//" are ignored. Errors read "file:line: message".
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace layout {

class LayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Encoding { kBitmap, kJpeg };

struct PictureSlot {
  std::string slot;  // "Picture", "Picture1", "Picture2" or "Picture3"
  Encoding encoding = Encoding::kBitmap;
  int width = 0;
  int height = 0;
  int depth = 0;        // bitmaps: 8, 24 or 32; JPEG: 0
  std::string art;      // the component whose art it is; its own name when not given
  std::string artSlot;  // the slot of `art` whose art it is; this slot when not given
  int line = 0;
};

struct Component {
  std::string name;
  std::string className;
  int parent = -1;   // index in Layout::components; -1 for the form
  std::string page;  // caption of the tab sheet holding it, if any
  std::vector<std::pair<std::string, std::string>> properties;  // values unquoted
  std::vector<PictureSlot> pictures;                            // in slot order
  int line = 0;
};

struct Layout {
  std::string file;
  std::vector<Component> components;  // [0] is the form; each after the one holding it
  const Component& Form() const { return components.front(); }
};

// The picture slots of a class, in their stored order; empty for a class without pictures.
std::vector<std::string_view> SlotsOf(std::string_view className);

Layout ParseLayout(std::string_view text, const std::string& file);
Layout ReadLayoutFile(const std::string& path);

}  // namespace layout

// The components a stored layout can hold besides edit boxes: image, panel, label, page control
// and tab sheet. They carry what the layout stores; front ends draw them.
#pragma once

#include <string>
#include <string_view>

#include "forms/Forms.h"
#include "forms/Picture.h"

namespace forms {

// An image control with one picture slot, `Picture`.
class TImage : public TControl {
 public:
  static constexpr const char* kClassName = "TImage";
  using TControl::TControl;

  TPicture Picture;
  bool AutoSize = false;
  bool Center = false;
  bool Stretch = false;
  bool Transparent = false;

  TPicture* PictureSlot(std::string_view slot) override;

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;
};

// A control that shows a caption: panels, labels and tab sheets.
class TCaptionedControl : public TControl {
 public:
  using TControl::TControl;
  std::string Caption;

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;
};

class TPanel : public TCaptionedControl {
 public:
  static constexpr const char* kClassName = "TPanel";
  using TCaptionedControl::TCaptionedControl;
};

class TLabel : public TCaptionedControl {
 public:
  static constexpr const char* kClassName = "TLabel";
  using TCaptionedControl::TCaptionedControl;
};

class TPageControl : public TControl {
 public:
  static constexpr const char* kClassName = "TPageControl";
  using TControl::TControl;
};

// One page of a page control; its caption is the page's caption.
class TTabSheet : public TCaptionedControl {
 public:
  static constexpr const char* kClassName = "TTabSheet";
  using TCaptionedControl::TCaptionedControl;
};

}  // namespace forms

// TImageTri: an image control that carries a button drawn as pictures, a normal look
// (`Picture1`), a hover look (`Picture2`) and an overlay for the disabled look (`Picture3`,
// drawn in the corner `Picture3Pos`).
//
// The displayed picture `Picture` follows `Picture1` from the moment the component exists, so a
// stored layout that holds a `Picture1` shows it whatever it stored for `Picture`. The front end
// reports the pointer with MouseEnter / MouseLeave and shows DisplayedPixels():
//
//   state     shows                                     event       next
//   Normal    copy of Picture1                          mouse in    Hover
//   Hover     copy of Picture2                          mouse out   Normal
//   Normal/Hover                                        disabled    Disabled
//   Disabled  copy of Picture1, Picture3 in its corner  enabled     Normal (pointer over or not)
//   any       a new Picture1 shows plainly; the state is otherwise kept
//
// Pointer events while disabled change nothing. Drawing the overlay works on a decoded copy of
// the normal look; `Picture1` itself is never altered.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "forms/Components.h"
#include "forms/Pixels.h"

namespace varnel {

// Declared default: BottomRight; a new component starts at TopLeft.
enum class TPicture3Pos { TopLeft, TopRight, BottomLeft, BottomRight };
inline constexpr TPicture3Pos kPicture3PosDefault = TPicture3Pos::BottomRight;

class TImageTri : public forms::TImage {
 public:
  static constexpr const char* kClassName = "TImageTri";
  enum class TState { Normal, Hover, Disabled };

  explicit TImageTri(std::string name);

  // The component's own picture objects; the setters copy the given picture into them.
  forms::TPicture Picture1;  // normal look
  forms::TPicture Picture2;  // hover look
  forms::TPicture Picture3;  // overlay of the disabled look, usually empty
  TPicture3Pos Picture3Pos = TPicture3Pos::TopLeft;

  void SetPicture1(const forms::TPicture& picture) { Picture1.Assign(picture); }
  void SetPicture2(const forms::TPicture& picture) { Picture2.Assign(picture); }
  void SetPicture3(const forms::TPicture& picture) { Picture3.Assign(picture); }

  bool Enabled() const { return enabled_; }
  // A change shows the normal look; disabling draws the overlay on a fresh copy of it. A normal
  // look that is no bitmap cannot be drawn on: with an overlay to draw, disabling raises
  // forms::Exception "Can only modify an image if it contains a bitmap" (the control is then
  // disabled and shows the plain normal look).
  void SetEnabled(bool enabled);

  // The pointer entered or left the control (called by the front end).
  void MouseEnter();
  void MouseLeave();

  TState State() const { return state_; }

  // The overlay result while the displayed picture has been drawn on, otherwise null (the
  // displayed picture is then `Picture` as stored).
  const forms::TPixels* DrawnImage() const { return drawn_ ? &*drawn_ : nullptr; }
  // What the control shows: the drawn image, or `Picture` decoded (empty when it is empty).
  forms::TPixels DisplayedPixels() const;

  forms::TPicture* PictureSlot(std::string_view slot) override;

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;

 private:
  void PictureChanged();
  void DrawOverlay();

  bool enabled_ = true;
  TState state_ = TState::Normal;
  std::optional<forms::TPixels> drawn_;
};

}  // namespace varnel

// TImageTri: an image control that carries a button drawn as pictures, a normal look
// (`Picture1`), a hover look (`Picture2`) and an overlay for the disabled look (`Picture3`,
// drawn in the corner `Picture3Pos`). This file holds its data; the displayed picture
// `Picture` follows `Picture1` from the moment the component exists, so a stored layout that
// holds a `Picture1` shows it whatever it stored for `Picture`.
#pragma once

#include <string>
#include <string_view>

#include "forms/Components.h"

namespace varnel {

enum class TPicture3Pos { TopLeft, TopRight, BottomLeft, BottomRight };

class TImageTri : public forms::TImage {
 public:
  static constexpr const char* kClassName = "TImageTri";
  explicit TImageTri(std::string name);

  forms::TPicture Picture1;  // normal look
  forms::TPicture Picture2;  // hover look
  forms::TPicture Picture3;  // overlay of the disabled look, usually empty
  TPicture3Pos Picture3Pos = TPicture3Pos::TopLeft;

  forms::TPicture* PictureSlot(std::string_view slot) override;

 protected:
  void ApplyProperty(std::string_view key, const std::string& value) override;
};

}  // namespace varnel

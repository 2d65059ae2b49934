// A loaded picture store: the component tree of one form with its stored properties and its
// pictures (see export/StoreFormat.h for the bytes). Loading checks everything before anything
// is used, so a damaged store is a load error, never a crash or a read out of bounds. Names,
// values and picture bytes are views into the store's bytes, which must outlive it (an
// embedded store lives as long as the program).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Picture.h"

namespace varnel {

struct StoredProperty {
  std::string_view key;
  std::string_view value;
};

struct StoredPicture {
  std::uint32_t component = 0;
  std::string_view slot;  // "Picture", "Picture1", "Picture2" or "Picture3"
  forms::TGraphic graphic;
  std::uint32_t offset = 0;  // of its bytes within the store
};

struct StoredComponent {
  std::string_view name;
  std::string_view className;
  std::int64_t parent = -1;  // index of the holding component; -1 for the form itself
  std::span<const StoredProperty> properties;
  std::span<const StoredPicture> pictures;
};

class PictureStore {
 public:
  // Checks and reads a store. `name` names it in errors (the form class, e.g. TPICTURESHOW).
  // Raises forms::Exception "Stored layout <name> is damaged: <what>" on any damage.
  static PictureStore Load(std::span<const std::uint8_t> bytes, std::string name);

  PictureStore(PictureStore&&) = default;
  PictureStore& operator=(PictureStore&&) = default;

  const std::string& Name() const { return name_; }
  std::span<const std::uint8_t> Bytes() const { return bytes_; }
  // Component 0 is the form; every other component comes after the one holding it.
  const std::vector<StoredComponent>& Components() const { return components_; }
  const std::vector<StoredPicture>& Pictures() const { return pictures_; }

  // The component of this name, compared without regard to ASCII case, or null.
  const StoredComponent* Find(std::string_view name) const;
  // A component's picture in `slot`, or null when the slot is empty or the component missing.
  const StoredPicture* FindPicture(std::string_view component, std::string_view slot) const;

 private:
  PictureStore() = default;
  std::string name_;
  std::span<const std::uint8_t> bytes_;
  std::vector<StoredComponent> components_;
  std::vector<StoredProperty> properties_;
  std::vector<StoredPicture> pictures_;
  std::vector<std::uint32_t> index_;  // component indices by lower-case name
};

// Compares names as the index orders them: A to Z as lower case, then byte values.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);

}  // namespace varnel

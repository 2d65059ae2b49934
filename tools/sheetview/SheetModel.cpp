#include "tools/sheetview/SheetModel.h"

#include <fstream>
#include <iterator>

#include "export/FormStore.h"
#include "platform/Resources.h"
#include "platform/Text.h"

namespace sheetview {

namespace {

constexpr const char* kFormPage = "(form)";

bool KnownClass(std::string_view name) {
  for (const char* known :
       {"TEdit", "TImage", "TImageTri", "TPanel", "TLabel", "TPageControl", "TTabSheet"})
    if (platform::EqualsIgnoreAsciiCase(name, known)) return true;
  return false;
}

}  // namespace

SheetModel::SheetModel(varnel::PictureStore store)
    : store_(std::move(store)),
      form_(std::make_unique<forms::TForm>(std::string(store_.Components()[0].name))) {
  varnel::ComponentClasses standIns;
  for (const varnel::StoredComponent& c : store_.Components())
    if (!KnownClass(c.className))
      standIns[std::string(c.className)] = [](std::string name) {
        return std::make_unique<forms::TPanel>(std::move(name));
      };
  varnel::LoadStoredLayout(*form_, store_, standIns);

  for (std::size_t i = 0; i < form_->ComponentCount(); ++i)
    if (auto* page = dynamic_cast<forms::TTabSheet*>(form_->Component(i)))
      pages_.push_back({page->Caption.empty() ? page->Name : page->Caption, {}});
  SheetPage formPage{kFormPage, {}};
  for (std::size_t i = 0; i < form_->ComponentCount(); ++i) {
    auto* image = dynamic_cast<forms::TImage*>(form_->Component(i));
    if (image == nullptr) continue;
    // The nearest tab sheet holding it, if any.
    const forms::TTabSheet* holder = nullptr;
    for (auto* up = dynamic_cast<forms::TControl*>(image->Parent); up && !holder;
         up = dynamic_cast<forms::TControl*>(up->Parent))
      holder = dynamic_cast<const forms::TTabSheet*>(up);
    if (holder == nullptr) {
      formPage.images.push_back(image);
      continue;
    }
    const std::string caption = holder->Caption.empty() ? holder->Name : holder->Caption;
    for (SheetPage& page : pages_)
      if (page.caption == caption) {
        page.images.push_back(image);
        break;
      }
  }
  if (!formPage.images.empty() || pages_.empty()) pages_.push_back(std::move(formPage));
}

std::vector<varnel::TImageTri*> SheetModel::Buttons() const {
  std::vector<varnel::TImageTri*> buttons;
  for (std::size_t i = 0; i < form_->ComponentCount(); ++i)
    if (auto* button = dynamic_cast<varnel::TImageTri*>(form_->Component(i)))
      buttons.push_back(button);
  return buttons;
}

varnel::PictureStore EmbeddedStore(const std::string& name) {
  const std::span<const std::uint8_t> bytes = platform::FindEmbedded(name);
  if (bytes.empty()) throw forms::Exception("Stored layout " + name + " is not in the program");
  return varnel::PictureStore::Load(bytes, name);
}

varnel::PictureStore StoreFile(const std::string& path, std::vector<std::uint8_t>& keep) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw forms::Exception("Cannot open the store file " + path);
  keep.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return varnel::PictureStore::Load(keep, path);
}

}  // namespace sheetview

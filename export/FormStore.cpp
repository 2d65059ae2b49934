#include "export/FormStore.h"

#include <vector>

#include "forms/Components.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "widgets/ImageTri.h"

namespace varnel {

namespace {

const ComponentClasses& KnownClasses() {
  static const ComponentClasses classes = {
      ComponentClass<forms::TEdit>(),     ComponentClass<forms::TImage>(),
      ComponentClass<TImageTri>(),        ComponentClass<forms::TPanel>(),
      ComponentClass<forms::TLabel>(),    ComponentClass<forms::TPageControl>(),
      ComponentClass<forms::TTabSheet>(),
  };
  return classes;
}

}  // namespace

void LoadStoredLayout(forms::TForm& form, const PictureStore& store,
                      const ComponentClasses& extra) {
  const auto& components = store.Components();
  const std::string where = "Stored layout " + store.Name();
  try {
    for (const StoredProperty& p : components[0].properties)
      form.SetProperty(std::string(p.key), std::string(p.value));
    std::vector<forms::TComponent*> made(components.size(), &form);
    for (std::size_t i = 1; i < components.size(); ++i) {
      const StoredComponent& c = components[i];
      const std::string className(c.className);
      const ComponentFactory* factory = nullptr;
      if (auto it = extra.find(className); it != extra.end())
        factory = &it->second;
      else if (auto known = KnownClasses().find(className); known != KnownClasses().end())
        factory = &known->second;
      if (factory == nullptr)
        throw forms::Exception(where + ": component " + std::string(c.name) +
                               " has the unknown class " + className);
      if (form.FindComponent(std::string(c.name)) != nullptr)
        throw forms::Exception(where + ": component " + std::string(c.name) + " appears twice");
      forms::TComponent* component = form.AddComponent((*factory)(std::string(c.name)));
      made[i] = component;
      if (auto* control = dynamic_cast<forms::TControl*>(component); control && c.parent > 0)
        control->Parent = made[static_cast<std::size_t>(c.parent)];
      for (const StoredProperty& p : c.properties)
        component->SetProperty(std::string(p.key), std::string(p.value));
      for (const StoredPicture& p : c.pictures) {
        forms::TPicture* slot = component->PictureSlot(p.slot);
        if (slot == nullptr)
          throw forms::Exception(where + ": " + className + " " + std::string(c.name) +
                                 " has no slot " + std::string(p.slot));
        slot->Assign(p.graphic);
      }
    }
  } catch (const forms::Exception& error) {
    const std::string text = error.what();
    if (text.starts_with(where)) throw;
    throw forms::Exception(where + ": " + text);
  }
}

void LoadStoredLayout(forms::TForm& form, std::string_view resource,
                      const ComponentClasses& extra) {
  const std::span<const std::uint8_t> bytes = platform::FindEmbedded(resource);
  if (bytes.empty())
    throw forms::Exception("Stored layout " + std::string(resource) + " is not in the program");
  const PictureStore store = PictureStore::Load(bytes, std::string(resource));
  if (!platform::EqualsIgnoreAsciiCase(store.Components()[0].className, resource))
    throw forms::Exception("Stored layout " + std::string(resource) + " holds the form class " +
                           std::string(store.Components()[0].className));
  LoadStoredLayout(form, store, extra);
  // Checking the store read every page of it. The run needs only the pages of the pictures it
  // writes, a few at a time, so the memory goes back until they are read again.
  platform::ReleaseEmbeddedPages(bytes);
}

void MissingComponent(const forms::TForm& form, std::string_view name, std::string_view className) {
  throw forms::Exception("Stored layout of " + form.Name + " lacks the component " +
                         std::string(name) + " (" + std::string(className) + ")");
}

}  // namespace varnel

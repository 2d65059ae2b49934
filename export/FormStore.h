// Loading a form from its stored layout: the form's own properties, then each component in
// layout order, created by class, its properties set, its pictures bound slot by slot (so a
// TImageTri's Picture follows its Picture1), and its parent linked.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "export/PictureStore.h"
#include "forms/Forms.h"

namespace varnel {

using ComponentFactory = std::function<std::unique_ptr<forms::TComponent>(std::string name)>;

// Classes a layout may use besides those this module knows (TEdit, TImage, TImageTri, TPanel,
// TLabel, TPageControl, TTabSheet); keys compared without regard to ASCII case.
struct ClassNameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return CompareNamesIgnoringCase(a, b) < 0;
  }
};
using ComponentClasses = std::map<std::string, ComponentFactory, ClassNameLess>;

template <class C>
std::pair<std::string, ComponentFactory> ComponentClass() {
  return {C::kClassName, [](std::string name) { return std::make_unique<C>(std::move(name)); }};
}

// Builds `form` from a loaded store. An unknown class or a bad property value raises
// forms::Exception naming the store and the component. The store's bytes must outlive the form.
void LoadStoredLayout(forms::TForm& form, const PictureStore& store,
                      const ComponentClasses& extra = {});

// The same from the store embedded under `resource` (the form class in capitals). A missing
// resource is a load error.
void LoadStoredLayout(forms::TForm& form, std::string_view resource,
                      const ComponentClasses& extra = {});

// Raises the load error for a component the form expects but its layout lacks.
[[noreturn]] void MissingComponent(const forms::TForm& form, std::string_view name,
                                   std::string_view className);

// The loaded component `name` of class C (or derived), for binding a form's members.
template <class C>
C* BindComponent(const forms::TForm& form, std::string_view name) {
  C* component = dynamic_cast<C*>(form.FindComponent(std::string(name)));
  if (component == nullptr) MissingComponent(form, name, C::kClassName);
  return component;
}

}  // namespace varnel

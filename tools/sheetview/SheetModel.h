// What the sheet viewer shows: a form built from its picture store exactly as the program
// builds it, its image components grouped by the page (tab sheet) that holds them. No window
// code here, so the grouping is tested without a display.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "export/PictureStore.h"
#include "forms/Components.h"
#include "widgets/ImageTri.h"

namespace sheetview {

struct SheetPage {
  std::string caption;                 // the tab sheet's caption; "(form)" for the form itself
  std::vector<forms::TImage*> images;  // TImage and TImageTri, in layout order
};

class SheetModel {
 public:
  // Builds the form of `store`. Container classes the program does not know (styled panels)
  // stand in as plain panels: they only group components. Load errors raise forms::Exception.
  // The store's bytes must outlive the model.
  explicit SheetModel(varnel::PictureStore store);

  const std::string& Name() const { return store_.Name(); }
  const std::vector<SheetPage>& Pages() const { return pages_; }
  // Every TImageTri of the form.
  std::vector<varnel::TImageTri*> Buttons() const;

 private:
  varnel::PictureStore store_;
  std::unique_ptr<forms::TForm> form_;
  std::vector<SheetPage> pages_;
};

// The embedded store `name`, or the store file at `path` (its bytes kept in `keep`).
varnel::PictureStore EmbeddedStore(const std::string& name);
varnel::PictureStore StoreFile(const std::string& path, std::vector<std::uint8_t>& keep);

}  // namespace sheetview

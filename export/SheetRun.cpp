#include "export/SheetRun.h"

#include "export/FormStore.h"
#include "export/PictureFile.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "widgets/ImageTri.h"

namespace varnel {

namespace {

const char* SlotName(Slot slot) {
  switch (slot) {
    case Slot::Picture:
      return "Picture";
    case Slot::Picture1:
      return "Picture1";
    case Slot::Picture2:
      return "Picture2";
  }
  return "";
}

}  // namespace

TSheet::TSheet(std::string className, const RunContext& context)
    : forms::TForm(className), className_(std::move(className)), context_(context) {
  // The run's events hear how the sheet's run ended; the error itself goes on to the error box.
  OnCreate = [this] {
    try {
      formcreate();
    } catch (const std::exception& error) {
      context_.events.SheetEnded(className_, written_, &error);
      throw;
    }
    context_.events.SheetEnded(className_, written_, nullptr);
  };
  OnClose = [this](forms::TCloseAction& action) { formclose(action); };
}

void TSheet::LoadComponents() {
  LoadStoredLayout(*this, platform::UpperAscii(className_));
}

void TSheet::LoadLayout() {
  LoadComponents();
  Visible = false;
  // Bind: run every routine once without writing; a component that is missing raises here.
  coming_.clear();
  binding_ = true;
  try {
    for (const Routine& routine : Routines()) {
      routine_ = routine.name;
      (this->*routine.run)();
    }
  } catch (...) {
    binding_ = false;
    throw;
  }
  binding_ = false;
  routine_.clear();
}

void TSheet::Pump() {
  Application().ProcessMessages();
}

void TSheet::Step() {
  if (context_.progressStep) context_.progressStep();
}

void TSheet::RunRoutine(void (TSheet::*routine)()) {
  routine_.clear();
  for (const Routine& known : Routines())
    if (known.run == routine) routine_ = known.name;
  // The sink may prepare the routine's pictures while it runs; whatever way the routine ends,
  // the preparing ends with it.
  struct Ahead {
    Ahead(PictureSink& to, const std::vector<forms::TGraphic>& coming) : sink(to) {
      sink.Coming(coming);
    }
    ~Ahead() { sink.Coming({}); }
    PictureSink& sink;
  } ahead(context_.sink, coming_[routine_]);
  (this->*routine)();
  routine_.clear();
  // The routine's pictures are written; their pages of the program file are not needed again.
  platform::ReleaseEmbeddedPages(platform::FindEmbedded(platform::UpperAscii(className_)));
}

const forms::TImage& TSheet::Find(std::string_view name, bool needsButtonSlots) {
  const std::string key = platform::LowerAscii(name);
  auto it = images_.find(key);
  if (it == images_.end()) {
    const forms::TComponent* found = FindComponent(std::string(name));
    const auto* image = dynamic_cast<const forms::TImage*>(found);
    if (image == nullptr) MissingComponent(*this, name, forms::TImage::kClassName);
    it = images_.emplace(key, image).first;
  }
  if (needsButtonSlots && dynamic_cast<const TImageTri*>(it->second) == nullptr)
    MissingComponent(*this, name, TImageTri::kClassName);
  return *it->second;
}

void TSheet::Save(const char* primitive, const forms::TImage& component, Slot slot,
                  const std::string& path, bool emptyIsError) {
  const forms::TPicture* picture = nullptr;
  if (slot == Slot::Picture) {
    picture = &component.Picture;
  } else {
    const auto& tri = static_cast<const TImageTri&>(component);
    picture = slot == Slot::Picture1 ? &tri.Picture1 : &tri.Picture2;
  }
  const forms::TGraphic* graphic = picture->Graphic();
  if (binding_) {
    // Binding learns the pictures each routine writes, in order.
    if (graphic != nullptr) coming_[routine_].push_back(*graphic);
    return;
  }
  if (graphic == nullptr) {
    if (emptyIsError) throw forms::Exception(kEmptyPictureText);
    return;
  }
  const PlannedWrite write{className_,     routine_, primitive,          component.Name,
                           SlotName(slot), path,     graphic->FileSize()};
  try {
    context_.sink.Write(write, *graphic);
  } catch (const std::exception& error) {
    context_.events.FileFailed(write, error);
    // The same message, with the file and picture it was about for the record.
    std::string detail = "file " + context_.files.FullPath(path) + ", picture " + className_ + " " +
                         component.Name + "." + SlotName(slot);
    if (const auto* ours = dynamic_cast<const forms::Exception*>(&error);
        ours != nullptr && !ours->Detail().empty())
      detail += ": " + ours->Detail();
    throw forms::Exception(error.what(), detail);
  }
  ++written_;
  context_.events.FileWritten(write);
}

void TSheet::PairExport(std::string_view component, std::string_view stem, FolderList folders) {
  const forms::TImage& image = Find(component, true);
  const std::string lowerStem = platform::LowerAscii(stem);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    // f1 is always written; each later folder only when it is given.
    if (i > 0 && folders[i].empty()) continue;
    const std::string path = context_.root.EditionFolder(folders[i]) + "/" + lowerStem;
    Save("PairExport", image, Slot::Picture1, path + "1.bmp", false);
    Save("PairExport", image, Slot::Picture2, path + "2.bmp", false);
  }
}

void TSheet::DirectSave(std::string_view component, Slot slot, std::string_view literal) {
  const forms::TImage& image = Find(component, slot != Slot::Picture);
  Save("DirectSave", image, slot, context_.root.Folder() + std::string(literal), false);
}

void TSheet::GraphicSave(std::string_view component, Slot slot, std::string_view literal) {
  const forms::TImage& image = Find(component, slot != Slot::Picture);
  Save("GraphicSave", image, slot, context_.root.Folder() + std::string(literal), true);
}

void TSheet::PairBlock(const Theme& theme, Stems stems) {
  for (std::string_view stem : stems)
    PairExport(std::string(stem) + std::string(theme.colour), stem, theme.folders);
}

void TSheet::DirectBlock(const Theme& theme, Stems stems) {
  for (std::string_view folder : theme.folders) {
    for (std::string_view stem : stems) {
      const forms::TImage& image = Find(std::string(stem) + std::string(theme.colour), true);
      const std::string path = context_.root.EditionFolder(folder) + "\\" + std::string(stem);
      Save("DirectSave", image, Slot::Picture1, path + "1.bmp", false);
      Save("DirectSave", image, Slot::Picture2, path + "2.bmp", false);
    }
  }
}

}  // namespace varnel

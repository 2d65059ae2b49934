// A sheet: a never-shown form whose stored layout holds the pictures of one part of the
// catalogue, and whose creation runs its export routines. Each sheet class lists its routines;
// its `formcreate` is the fixed sequence of message pump points, progress steps and routine
// calls of that sheet, ending with its own Close.
//
// Loading a sheet loads its stored layout, then binds it: every routine runs once without
// writing, so that each component a routine uses is looked up before anything is written. A
// component that is missing, or of a class without the slot a routine reads, is a load error
// naming it, and the sheet does not run at all.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/FrmVariaveis.h"
#include "export/RunContext.h"
#include "forms/Components.h"
#include "forms/Forms.h"

namespace varnel {

class TImageTri;

// The picture slots the export primitives write.
enum class Slot { Picture, Picture1, Picture2 };

using Stems = std::span<const std::string_view>;

class TSheet : public forms::TForm {
 public:
  // `className` is the sheet's form class ("tbotoes1"); its layout is the store embedded under
  // that name in capitals. The sheet writes through `context`, which outlives it.
  TSheet(std::string className, const RunContext& context);

  const std::string& ClassName() const { return className_; }

 protected:
  struct Routine {
    const char* name;
    void (TSheet::*run)();
  };
  template <class S>
  static Routine R(const char* name, void (S::*routine)()) {
    return {name, static_cast<void (TSheet::*)()>(routine)};
  }
  // Every export routine of the sheet, each once.
  virtual std::vector<Routine> Routines() const = 0;
  // OnCreate: the sheet's run.
  virtual void formcreate() = 0;
  // OnClose: the sheet is released at the next message processing.
  void formclose(forms::TCloseAction& action) { action = forms::TCloseAction::caFree; }

  // Loads the components and pictures; tests may build them instead.
  virtual void LoadComponents();

  // The steps of formcreate.
  void Pump();
  void Step();
  template <class S>
  void Run(void (S::*routine)()) {
    RunRoutine(static_cast<void (TSheet::*)()>(routine));
  }

  // The export primitives. A component is named as stored, found without regard to case.
  //
  // Pair export: for each folder in turn, Picture1 to <btn> + "\" + folder + "/" + stem +
  // "1.bmp", then Picture2 to the same with "2.bmp"; the stem is lower-cased (A to Z only). An
  // empty picture writes no file.
  void PairExport(std::string_view component, std::string_view stem, FolderList folders);
  // Direct save: one slot to <install root> + literal; an empty slot writes nothing.
  void DirectSave(std::string_view component, Slot slot, std::string_view literal);
  // Graphic save: like the direct save, but an empty slot is an error.
  void GraphicSave(std::string_view component, Slot slot, std::string_view literal);

  // A colour block in pair exports, stem by stem: each component stem + colour suffix to every
  // folder of the theme, in the theme's order.
  void PairBlock(const Theme& theme, Stems stems);
  // A colour block in direct saves, folder by folder: for each folder, for each stem, Picture1
  // to "\btn\<folder>\<stem>1.bmp" and Picture2 to "...2.bmp".
  void DirectBlock(const Theme& theme, Stems stems);

  // Creates another sheet inside a guard: a sheet that cannot be loaded is reported in the
  // error box ("Cannot load sheet <name>: <reason>") and the run goes on.
  template <class S>
  void CreateSheet(S*& variable) {
    CreateSheetGuarded(Application(), variable, context_);
  }

  const RunContext& Context() const { return context_; }

 private:
  void LoadLayout() final;
  void RunRoutine(void (TSheet::*routine)());
  const forms::TImage& Find(std::string_view name, bool needsButtonSlots);
  void Save(const char* primitive, const forms::TImage& component, Slot slot,
            const std::string& path, bool emptyIsError);

  std::string className_;
  const RunContext& context_;
  std::size_t written_ = 0;  // files this sheet's run has written
  std::unordered_map<std::string, const forms::TImage*> images_;  // by lower-case name
  std::string routine_;
  bool binding_ = false;
  // Each routine's pictures in the order it writes them, learnt while binding.
  std::map<std::string, std::vector<forms::TGraphic>> coming_;
};

// Creates a sheet inside the guard described at TSheet::CreateSheet.
template <class S>
void CreateSheetGuarded(forms::TApplication& app, S*& variable, const RunContext& context) {
  try {
    app.CreateForm(variable, context);
  } catch (const std::exception& error) {
    context.events.SheetNotLoaded(S::kClassName, error);
    app.ShowException(
        forms::Exception("Cannot load sheet " + std::string(S::kClassName) + ": " + error.what()));
  }
}

}  // namespace varnel

// Sheet tbotoes1: Backgrounds, edition and maker logos, cashier, union and legal buttons.
#pragma once

#include <string_view>
#include <vector>

#include "export/SheetRun.h"

namespace varnel {

class Ttbotoes1 : public TSheet {
 public:
  static constexpr const char* kClassName = "tbotoes1";
  explicit Ttbotoes1(const RunContext& context) : TSheet(kClassName, context) {}

  // The export routines, in the order formcreate runs them.
  void criarfundo();
  void criarcaixa();
  void criarsindicato();
  void criarlexor();

 protected:
  std::vector<Routine> Routines() const override;
  void formcreate() override;

 private:
  // One button by two direct saves: Picture1 of `component` to "\btn\<folder>\<stem>1.bmp",
  // then Picture2 to "...2.bmp"; for the buttons that carry no colour suffix.
  void DirectButton(std::string_view component, std::string_view folder, std::string_view stem);
};

extern Ttbotoes1* tbotoes1;

}  // namespace varnel

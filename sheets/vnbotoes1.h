// Sheet tbotoes1: Backgrounds, edition and maker logos, cashier, union and legal buttons.
#pragma once

#include <vector>

#include "export/SheetRun.h"

namespace varnel {

class Ttbotoes1 : public TSheet {
 public:
  static constexpr const char* kClassName = "tbotoes1";
  Ttbotoes1() : TSheet(kClassName) {}

  // The export routines, in the order formcreate runs them.
  void criarfundo();
  void criarcaixa();
  void criarsindicato();
  void criarlexor();

 protected:
  std::vector<Routine> Routines() const override;
  void formcreate() override;
};

extern Ttbotoes1* tbotoes1;

}  // namespace varnel

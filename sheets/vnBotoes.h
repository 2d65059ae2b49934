// Sheet tbotoes: the first sheet. Bank logos and the back-office buttons of every colour; its
// run creates the four other sheets and ends with the marker-file step.
#pragma once

#include <vector>

#include "export/SheetRun.h"

namespace varnel {

class Ttbotoes : public TSheet {
 public:
  static constexpr const char* kClassName = "tbotoes";
  explicit Ttbotoes(const RunContext& context) : TSheet(kClassName, context) {}

  // The export routines, in the order formcreate runs them.
  void criarlogobanco();
  void criartabelasgerais();
  void criarlogin();
  void criarsubmenu();
  void criarcobranca();
  void criarestoque();
  void criarcontroltotal();
  void criarrelatorio();

 protected:
  std::vector<Routine> Routines() const override;
  void formcreate() override;
};

extern Ttbotoes* tbotoes;

}  // namespace varnel

// Sheet tbotoes3: Report-preview, financial-control, customer-history, F3, payment and report-menu
// buttons.
#pragma once

#include <vector>

#include "export/SheetRun.h"

namespace varnel {

class Ttbotoes3 : public TSheet {
 public:
  static constexpr const char* kClassName = "tbotoes3";
  explicit Ttbotoes3(const RunContext& context) : TSheet(kClassName, context) {}

  // The export routines, in the order formcreate runs them.
  void criarbotaocontrol();
  void criarbotaopreview();
  void criarbotaovida();
  void criarbotaof3();
  void criarbotaopagamento();
  void criarbotaorelato();

 protected:
  std::vector<Routine> Routines() const override;
  void formcreate() override;

 private:
  // A preview block in direct saves, folder by folder, with previewxls in its place as a pair
  // export given that one folder.
  void PreviewDirectBlock(const Theme& theme);
};

extern Ttbotoes3* tbotoes3;

}  // namespace varnel

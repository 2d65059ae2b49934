// TMenuPrincipal: the main form whose creation performs the whole installation.
#pragma once

#include "export/RunContext.h"
#include "forms/Forms.h"

namespace varnel {

class TMenuPrincipal : public forms::TForm {
 public:
  explicit TMenuPrincipal(const RunContext& context);

  // OnCreate: the whole run, ended by closing this form.
  void FormCreate();
  // OnClose: ends the process with the run's exit code; never returns.
  void FormClose(forms::TCloseAction& action);

 protected:
  void LoadLayout() override;

 private:
  const RunContext& context_;
};

extern TMenuPrincipal* MenuPrincipal;

// An empty form, created only when the run could not start.
class TVariaveis : public forms::TForm {
 public:
  TVariaveis() : forms::TForm("Variaveis") {}

 protected:
  void LoadLayout() override { Caption = "Variaveis"; }
};

extern TVariaveis* Variaveis;

}  // namespace varnel

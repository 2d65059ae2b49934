// TMenuPrincipal: the main form whose creation performs the whole installation, and the
// install root it works out from the current directory.
#pragma once

#include <string>
#include <string_view>

#include "forms/Forms.h"

namespace varnel {

// The install root as two texts whose concatenation is the installation folder: the drive
// text ("c:") and the directory text ("\vexon7", with its leading backslash).
struct InstallRoot {
  std::string drive;
  std::string directory;
};

// Works the install root out from the current directory: lower-cased (A to Z only), the drive
// text is its first two characters, and when the folder lies in or under the product's
// "vexon7\dedudodevorud" subfolder the directory text ends right after that "vexon7".
InstallRoot InstallRootFromDirectory(std::string_view currentDirectory);

class TMenuPrincipal : public forms::TForm {
 public:
  TMenuPrincipal();

  // OnCreate: the whole run, ended by closing this form.
  void FormCreate();
  // OnClose: ends the process with the run's exit code; never returns.
  void FormClose(forms::TCloseAction& action);

 protected:
  void LoadLayout() override;
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

// TPictureShow: the progress window, and through `Executar` the folder preparation that runs
// before any picture is written.
#pragma once

#include <string>

#include "forms/Components.h"
#include "forms/Forms.h"
#include "run/Gauges.h"

namespace varnel {

// Progress steps of a complete run; the gauge reaches 100% with the last one.
inline constexpr int kProgressSteps = 43;

class TPictureShow : public forms::TForm {
 public:
  TPictureShow();

  forms::TPanel* PnGeral = nullptr;
  forms::TImage* Image1 = nullptr;
  forms::TLabel* AlertaLabel = nullptr;
  forms::TPanel* Panel2 = nullptr;
  TGauge* Progresso = nullptr;

  void FormCreate();
  void FormClose(forms::TCloseAction& action);
  // Creates the MySQL data folders and the btn tree under the install root, makes the install
  // root the current directory, then shows the window in front.
  void Executar();

 protected:
  void LoadLayout() override;
};

extern TPictureShow* PictureShow;

// Lower-cases `path` (A to Z only) and creates that one directory. Whatever goes wrong is
// passed over: the sheets report a missing folder when they first write into it.
void CreateFolderQuietly(const std::string& path);

// One progress step of a sheet run: the gauge's Progress plus one.
void ProgressStep();

}  // namespace varnel

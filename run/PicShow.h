// TPictureShow: the progress window. Its `Executar` runs the folder preparation, then brings
// the window to the front.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "export/RunContext.h"
#include "forms/Components.h"
#include "forms/Forms.h"
#include "platform/Window.h"
#include "run/Gauges.h"

namespace varnel {

// Progress steps of a complete run; the gauge reaches 100% with the last one.
inline constexpr int kProgressSteps = 43;

class TPictureShow : public forms::TForm {
 public:
  explicit TPictureShow(const RunContext& context);

  forms::TPanel* PnGeral = nullptr;
  forms::TImage* Image1 = nullptr;
  forms::TLabel* AlertaLabel = nullptr;
  forms::TPanel* Panel2 = nullptr;
  TGauge* Progresso = nullptr;
  // The window's outer size is the form's Width and Height; FormCreate fits it around the
  // panel.
  // JPEG bytes to show in place of Image1's stored picture (the screenshot tests use it).
  std::span<const std::uint8_t> PictureJpeg;

  void FormCreate();
  void FormClose(forms::TCloseAction& action);
  // Prepares the folders under the install root (run/FolderPreparation), then shows the window
  // in front.
  void Executar();

  // The window as the front end draws it.
  platform::ProgressWindowLayout WindowLayout() const;
  // The front end's window, once the form has been shown; null on a screen without windows.
  platform::ProgressWindow* Window() const { return window_.get(); }

 protected:
  void LoadLayout() override;
  void VisibleChanged() override;

 private:
  void RepaintGauge();
  const RunContext& context_;
  std::unique_ptr<platform::ProgressWindow> window_;
};

extern TPictureShow* PictureShow;

// One progress step of a sheet run: the gauge's Progress plus one, through the form variable;
// nothing when the window is gone.
void ProgressStep();

}  // namespace varnel

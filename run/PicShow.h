// TPictureShow: the progress window, and through `Executar` the folder preparation that runs
// before any picture is written.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "forms/Components.h"
#include "forms/Forms.h"
#include "platform/Window.h"
#include "run/Gauges.h"

namespace varnel {

// Progress steps of a complete run; the gauge reaches 100% with the last one.
inline constexpr int kProgressSteps = 43;

class TPictureShow : public forms::TForm {
 public:
  TPictureShow();
  ~TPictureShow() override;

  forms::TPanel* PnGeral = nullptr;
  forms::TImage* Image1 = nullptr;
  forms::TLabel* AlertaLabel = nullptr;
  forms::TPanel* Panel2 = nullptr;
  TGauge* Progresso = nullptr;
  // The window's outer size; FormCreate fits it around the panel.
  int Width = 510;
  int Height = 239;
  // JPEG bytes to show in place of Image1's stored picture (the screenshot tests use it).
  std::span<const std::uint8_t> PictureJpeg;

  void FormCreate();
  void FormClose(forms::TCloseAction& action);
  // Creates the MySQL data folders and the btn tree under the install root, makes the install
  // root the current directory, then shows the window in front.
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
  std::unique_ptr<platform::ProgressWindow> window_;
};

extern TPictureShow* PictureShow;

// Lower-cases `path` (A to Z only) and creates that one directory. Whatever goes wrong is
// passed over: the sheets report a missing folder when they first write into it.
void CreateFolderQuietly(const std::string& path);

// One progress step of a sheet run: the gauge's Progress plus one.
void ProgressStep();

}  // namespace varnel

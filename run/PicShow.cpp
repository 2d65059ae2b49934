#include "run/PicShow.h"

#include "export/FormStore.h"
#include "run/FolderPreparation.h"
#include "run/GaugePaint.h"

namespace varnel {

TPictureShow* PictureShow = nullptr;

namespace {
// ForeColor of the gauge: a dark blue, red 28, green 62, blue 100.
constexpr platform::Color kGaugeForeColor = 6569500;
}  // namespace

TPictureShow::TPictureShow(const RunContext& context)
    : forms::TForm("PictureShow"), context_(context) {
  OnCreate = [this] { FormCreate(); };
  OnClose = [this](forms::TCloseAction& action) { FormClose(action); };
}

void TPictureShow::LoadLayout() {
  LoadStoredLayout(*this, "TPICTURESHOW", {ComponentClass<TGauge>()});
  PnGeral = BindComponent<forms::TPanel>(*this, "PnGeral");
  Image1 = BindComponent<forms::TImage>(*this, "Image1");
  AlertaLabel = BindComponent<forms::TLabel>(*this, "AlertaLabel");
  Panel2 = BindComponent<forms::TPanel>(*this, "Panel2");
  Progresso = BindComponent<TGauge>(*this, "Progresso");
  Progresso->ForeColor = kGaugeForeColor;
  Progresso->BackColor = kClWindow;
  Progresso->OnRepaint = [this] { RepaintGauge(); };
}

platform::ProgressWindowLayout TPictureShow::WindowLayout() const {
  platform::ProgressWindowLayout layout;
  layout.caption = Caption;
  layout.outerWidth = Width;
  layout.outerHeight = Height;
  layout.panelBevel = 1;
  layout.pictureWidth = 86;
  layout.pictureJpeg = PictureJpeg;
  if (layout.pictureJpeg.empty())
    if (const forms::TGraphic* picture = Image1->Picture.Graphic())
      layout.pictureJpeg = picture->bytes;
  layout.labelText = "Instalando sistema Varnel";
  layout.labelBounds = {106, 10, 201, 19};
  layout.labelFont = {"Arial", 16, true};
  layout.labelColor = 0;
  layout.gaugePanelBounds = {102, 38, 203, 25};
  layout.gaugePanelBevel = 3;
  layout.gaugeBounds = {Progresso->Left, Progresso->Top, Progresso->Width, Progresso->Height};
  layout.gaugeFont = {"MS Sans Serif", 12, true};
  return layout;
}

void TPictureShow::VisibleChanged() {
  if (!Visible) {
    if (window_) window_->Hide();
    return;
  }
  if (!window_) {
    window_ = Application().Screen().OpenProgressWindow(WindowLayout());
    if (!window_) return;
    // The run owns the window until it is over: a close asked for by the user is ignored, and
    // the program closes the window itself after the last sheet. So no step can meet a
    // destroyed window.
    window_->OnCloseRequest = [] {};
    RepaintGauge();
  }
  window_->Show();
}

void TPictureShow::RepaintGauge() {
  if (!window_) return;
  GaugeLook look;
  look.width = window_->GaugeWidth();
  look.height = window_->GaugeHeight();
  look.foreColor = Progresso->ForeColor;
  look.backColor =
      Progresso->BackColor == kClWindow ? window_->WindowColor() : Progresso->BackColor;
  platform::ProgressWindow& window = *window_;
  const platform::Bitmap pixels =
      PaintGauge(Progresso->MinValue(), Progresso->MaxValue(), Progresso->Progress(), look,
                 [&window](const std::string& text) { return window.GaugeText(text); });
  window_->DrawGauge(Progresso->PercentDone(), pixels);
}

void TPictureShow::FormCreate() {
  // The window is fitted around the panel that carries everything.
  Width = PnGeral->Width + 50;
  Height = PnGeral->Height + 40;
  Progresso->SetMaxValue(kProgressSteps);
  Application().ProcessMessages();
}

void TPictureShow::FormClose(forms::TCloseAction& action) {
  action = forms::TCloseAction::caFree;
}

void TPictureShow::Executar() {
  PrepareFolders(context_);
  Show();
  // Already visible since its creation: this brings it in front of other windows.
  if (window_) window_->Show();
}

void ProgressStep() {
  if (PictureShow != nullptr) PictureShow->Progresso->AddProgress(1);
}

}  // namespace varnel

// TFormProceda: the hidden form that holds the install root texts. Being the first form the
// program creates, it is the application's main form; it is never shown.
#pragma once

#include "forms/Forms.h"
#include "widgets/ImageTri.h"

namespace varnel {

class TFormProceda : public forms::TForm {
 public:
  TFormProceda() : forms::TForm("FormProceda") {}

  // The install root as the product's forms show it; the run composes its paths on its own
  // install-root value and never reads these back.
  forms::TEdit* DriveLocal = nullptr;        // drive text of the install root, e.g. "c:"
  forms::TEdit* DiretorioControl = nullptr;  // directory text, e.g. "\vexon7"
  TImageTri* ClienteBege = nullptr;          // an invisible button no step uses

 protected:
  void LoadLayout() override;
};

extern TFormProceda* FormProceda;

}  // namespace varnel

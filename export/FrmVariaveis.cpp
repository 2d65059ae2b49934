#include "export/FrmVariaveis.h"

namespace varnel {

std::string InstallDrive;
std::string InstallDir;
std::function<void()> ProgressStepHook;

}  // namespace varnel

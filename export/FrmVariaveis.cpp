#include "export/FrmVariaveis.h"

namespace varnel {

std::string InstallDrive;
std::string InstallDir;

}  // namespace varnel

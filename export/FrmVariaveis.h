// The run's shared variables and the vocabulary every sheet shares: the install root and the
// edition folders under <install root>\btn.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace varnel {

// The 22 edition folders, in the order the folder preparation creates them. No file is ever
// written under btn outside these.
inline constexpr std::array<std::string_view, 22> kEditionFolders = {
    "selvo",    "beauty",    "clean",     "lexor",         "padaria", "dental",
    "erp",      "orvix",     "control",   "frentedecaixa", "mercado", "caixa",
    "gourmet",  "varnel",    "oficina",   "pet",           "otica",   "tarnix",
    "producao", "relatorio", "sindicato", "boletologo"};

// The install root as the folder preparation and the marker-file step read it: the drive text
// ("c:") and the directory text ("\vexon7"). Written once, when the run starts.
extern std::string InstallDrive;
extern std::string InstallDir;

}  // namespace varnel

// <windows.h> as the Win32 side of the platform layer includes it: without the min/max macros
// and the rarely used parts, and without the A/W macros that would rename our FileSystem's
// methods of the same names (CreateDirectory, CreateFile, DeleteFile, SetCurrentDirectory).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CreateDirectory
#undef CreateFile
#undef DeleteFile
#undef SetCurrentDirectory

// The one header through which program code reaches the platform.
//
// On Windows it is the real SDK. Everywhere else it is the emulated desktop in platform/emu/,
// which declares exactly the part of the Windows API that the program uses and behaves the way
// Windows does for it.
#pragma once

#ifdef _WIN32
// windows.h goes first: the other SDK headers rely on what it defines.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#else
#include "platform/emu/windows_api.h"
#endif

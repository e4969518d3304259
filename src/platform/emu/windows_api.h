// The emulated desktop's Windows API: the declarations program code sees through platform/win32.h
// on hosts other than Windows. Written for this project; it declares only what the program uses.
#pragma once

#include "platform/emu/codepage.h"
#include "platform/emu/com.h"
#include "platform/emu/commctrl.h"
#include "platform/emu/files.h"
#include "platform/emu/kernel.h"
#include "platform/emu/registry.h"
#include "platform/emu/shell.h"
#include "platform/emu/types.h"
#include "platform/emu/user.h"

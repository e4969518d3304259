// The shell side of the emulated desktop: the notification area and the special folders.
#pragma once

#include <cstddef>

#include "platform/emu/types.h"

struct NOTIFYICONDATAA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    union {
        UINT uTimeout;
        UINT uVersion;
    };
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
    struct {
        DWORD Data1;
        WORD Data2;
        WORD Data3;
        BYTE Data4[8];
    } guidItem;
    HICON hBalloonIcon;
};
using PNOTIFYICONDATAA = NOTIFYICONDATAA*;

// The record's size up to and including dwInfoFlags, as the shell versions before Vista knew it.
#define NOTIFYICONDATAA_V2_SIZE (offsetof(NOTIFYICONDATAA, guidItem))

#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004
#define NIF_INFO 0x00000010

BOOL Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data);

#define CSIDL_PERSONAL 0x0005
#define MAX_PATH 260
BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int folder, BOOL create);
BOOL PathFileExistsA(LPCSTR path);

// Code-page conversions of the emulated desktop. The system ANSI code page is 936, as on the
// target systems; the tables are the Windows ones. Conversions take flags 0 only and no
// default-character override, which is all the program asks of them.
#pragma once

#include "platform/emu/types.h"

#define CP_ACP 0
#define CP_UTF8 65001

UINT GetACP();
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int textLength, LPWSTR wide,
                        int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR text,
                        int textLength, LPCSTR defaultChar, LPBOOL usedDefaultChar);

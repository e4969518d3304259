// Basic types of the emulated Windows API. Widths follow Windows where the program depends on
// them (32-bit DWORD, LONG and UINT; pointer-sized WPARAM, LPARAM and LRESULT).
#pragma once

#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using LONG_PTR = std::intptr_t;
using INT_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using CHAR = char;
using WCHAR = char16_t;
using HRESULT = std::int32_t;

using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPDWORD = DWORD*;
using LPBOOL = BOOL*;
using PLONG = LONG*;

#define TRUE 1
#define FALSE 0

// Handles are opaque values that the desktop hands out and never reuses.
#define LORNETTE_EMU_HANDLE(name) \
    struct name##__ {             \
        int unused;               \
    };                            \
    using name = name##__*
LORNETTE_EMU_HANDLE(HWND);
LORNETTE_EMU_HANDLE(HINSTANCE);
LORNETTE_EMU_HANDLE(HICON);
LORNETTE_EMU_HANDLE(HMENU);
LORNETTE_EMU_HANDLE(HBRUSH);
LORNETTE_EMU_HANDLE(HFONT);
LORNETTE_EMU_HANDLE(HKEY);
#undef LORNETTE_EMU_HANDLE
using HANDLE = void*;
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;
using LPHANDLE = HANDLE*;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define MAKELONG(a, b)                                              \
    (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(a))) | \
                       (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))

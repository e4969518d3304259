// A fresh emulated desktop for every test.
#pragma once

#include <gtest/gtest.h>

#include "platform/emu/control.h"
#include "platform/win32.h"

namespace test_support {

class EmulatedDesktopTest : public ::testing::Test {
  protected:
    void SetUp() override { emu::control::reset(); }
    void TearDown() override { emu::control::reset(); }
};

// Registers a window class of the calling process with the given procedure.
inline void registerClass(const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
}

// A top-level window of the calling thread, hidden unless the style says otherwise.
inline HWND createTopLevel(const char* className, const char* title, DWORD style = WS_POPUP,
                           RECT rect = {0, 0, 100, 100}) {
    return CreateWindowExA(0, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

inline HWND createChild(HWND parent, const char* className, const char* title, int id = 0,
                        RECT rect = {0, 0, 10, 10}, DWORD style = WS_CHILD | WS_VISIBLE) {
    return CreateWindowExA(0, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace test_support

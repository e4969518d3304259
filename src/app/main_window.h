// The main window: its layout, its event bindings and its creation.
#pragma once

#include "platform/win32.h"

namespace lornette {

inline constexpr const char* kMainWindowClassName = "LornetteMainWindow";
inline constexpr const char* kMainWindowCaption = "Lornette";
inline constexpr int kMainWindowWidth = 320;
inline constexpr int kMainWindowHeight = 332;

inline constexpr int kResultListId = 101;
inline constexpr int kDownloadButtonId = 102;
inline constexpr UINT_PTR kAutomationTimerId = 1;
inline constexpr UINT kAutomationIntervalMs = 1000;

// Commands of the two popup menus.
inline constexpr UINT kShowCommand = 201;
inline constexpr UINT kCloseCommand = 202;
inline constexpr UINT kTickAllCommand = 203;
inline constexpr UINT kUntickAllCommand = 204;

// Registers the window class and creates the main window, hidden and centred on the screen.
// Its creation handler has run by the time this returns.
HWND createMainWindow(HINSTANCE instance);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the result list and the download button in the main window.
void createMainWindowControls(HWND window, HINSTANCE instance);

}  // namespace lornette

// What the program keeps for its whole life. All of it belongs to the GUI thread, except that
// worker threads reach the main window and its list through the platform's window calls.
#pragma once

#include <memory>
#include <string>

#include "platform/win32.h"
#include "tray/tray_icon.h"

namespace lornette {

// The download manager's command path, read from the registry at start; empty when unknown.
extern std::string downloaderPath;

// The one notification-area icon, created at process start and destroyed at its end.
extern std::unique_ptr<TrayIcon> trayIcon;

// The main window and its controls; none before the window exists.
extern HWND mainWindow;
extern HWND resultList;
extern HWND downloadButton;

}  // namespace lornette

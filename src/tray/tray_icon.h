// The notification-area icon: it owns the icon's record, subclasses the icon's owner window to
// receive the shell's messages, and turns them into calls of one event handler.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace lornette {

// Called with the mouse message the shell reported for the icon, or with one of the two events
// below.
using TrayEventHandler = void (*)(std::int32_t code);

inline constexpr UINT trayCallbackMessage = 0x2DA5;
inline constexpr std::int32_t trayEventTaskbarCreated = 1120;
inline constexpr std::int32_t trayEventWindowDestroyed = 1130;

class TrayIcon {
  public:
    TrayIcon();
    // Deletes the icon.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for `window`; without an icon of its own it shows the window's small icon.
    bool addIcon(HWND window, HICON icon = nullptr, const std::string& tip = "");
    // Subclasses the icon's window so that its messages reach `handler`.
    void setEventHandler(TrayEventHandler handler = nullptr);
    // Adds the icon again with the same record, after the shell has forgotten it.
    bool restoreIcon();
    // Puts the window's procedure back and deletes the icon.
    bool removeIcon();

    // The icon window's procedure while subclassed. It keeps nothing itself: what it needs is
    // in the window's properties.
    static LRESULT CALLBACK trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT taskbarCreatedMessage() const { return taskbarCreatedMessage_; }
    const NOTIFYICONDATAA& iconData() const { return iconData_; }
    WNDPROC savedWindowProc() const { return savedWindowProc_; }
    HWND iconWindow() const { return iconWindow_; }

  private:
    UINT taskbarCreatedMessage_ = 0;
    NOTIFYICONDATAA iconData_{};
    WNDPROC savedWindowProc_ = nullptr;
    HWND iconWindow_ = nullptr;
};

}  // namespace lornette

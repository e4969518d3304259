// The notification area: icons the programs add, and the mouse messages it reports for them.
#include <algorithm>
#include <cstring>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace {

constexpr DWORD kFirstVersionSize = offsetof(NOTIFYICONDATAA, szTip) + 64;
constexpr int kIconSpacing = 24;
constexpr int kRightMargin = 60;
constexpr int kFromBottom = 20;

bool acceptedSize(DWORD size) {
    return size == kFirstVersionSize || size == NOTIFYICONDATAA_V2_SIZE ||
           size == sizeof(NOTIFYICONDATAA);
}

auto findIcon(Desktop& desktop, HWND window, UINT id) {
    return std::find_if(
        desktop.trayIcons.begin(), desktop.trayIcons.end(),
        [&](const NotifyIcon& icon) { return icon.window == window && icon.id == id; });
}

void takeFields(NotifyIcon& icon, const NOTIFYICONDATAA& data) {
    icon.flags |= data.uFlags;
    if ((data.uFlags & NIF_MESSAGE) != 0) {
        icon.callbackMessage = data.uCallbackMessage;
    }
    if ((data.uFlags & NIF_ICON) != 0) {
        icon.icon = data.hIcon;
    }
    if ((data.uFlags & NIF_TIP) != 0) {
        const std::size_t room = data.cbSize == kFirstVersionSize ? 64 : sizeof(data.szTip);
        icon.tip.assign(data.szTip, strnlen(data.szTip, room));
    }
}

POINT iconPoint(const Desktop& desktop, std::size_t index) {
    return {desktop.screenWidth - kRightMargin - kIconSpacing * static_cast<LONG>(index),
            desktop.screenHeight - kFromBottom};
}

void announce(Desktop& desktop, emu::control::DesktopEvent::Kind kind, const NotifyIcon& icon) {
    desktop.emit({kind, icon.window, 0, 0, "", icon.tip});
}

}  // namespace

BOOL Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (!desktop.shellRunning || data == nullptr || !acceptedSize(data->cbSize)) {
        return FALSE;
    }
    const auto existing = findIcon(desktop, data->hWnd, data->uID);
    using Kind = emu::control::DesktopEvent::Kind;
    switch (message) {
        case NIM_ADD: {
            if (existing != desktop.trayIcons.end() || desktop.find(data->hWnd) == nullptr) {
                return FALSE;
            }
            NotifyIcon icon;
            icon.window = data->hWnd;
            icon.id = data->uID;
            takeFields(icon, *data);
            desktop.trayIcons.push_back(icon);
            announce(desktop, Kind::IconAdded, icon);
            return TRUE;
        }
        case NIM_MODIFY:
            if (existing == desktop.trayIcons.end()) {
                return FALSE;
            }
            takeFields(*existing, *data);
            return TRUE;
        case NIM_DELETE: {
            if (existing == desktop.trayIcons.end()) {
                return FALSE;
            }
            const NotifyIcon removed = *existing;
            desktop.trayIcons.erase(existing);
            announce(desktop, Kind::IconRemoved, removed);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

namespace emu::control {

std::vector<TrayIconInfo> trayIcons() {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    std::vector<TrayIconInfo> icons;
    for (std::size_t i = 0; i < desktop.trayIcons.size(); ++i) {
        const NotifyIcon& icon = desktop.trayIcons[i];
        icons.push_back({icon.window, icon.id, icon.flags, icon.callbackMessage, icon.icon,
                         icon.tip, iconPoint(desktop, i)});
    }
    return icons;
}

void clickTrayIcon(HWND window, UINT id, TrayClick click) {
    UINT callback = 0;
    {
        Desktop& desktop = Desktop::instance();
        Lock lock = lockDesktop();
        const auto icon = findIcon(desktop, window, id);
        if (icon == desktop.trayIcons.end()) {
            return;
        }
        callback = icon->callbackMessage;
        desktop.cursor =
            iconPoint(desktop, static_cast<std::size_t>(icon - desktop.trayIcons.begin()));
    }
    std::vector<UINT> mouse{WM_MOUSEMOVE};
    switch (click) {
        case TrayClick::Left:
            mouse.insert(mouse.end(), {WM_LBUTTONDOWN, WM_LBUTTONUP});
            break;
        case TrayClick::Right:
            mouse.insert(mouse.end(), {WM_RBUTTONDOWN, WM_RBUTTONUP});
            break;
        case TrayClick::Double:
            mouse.insert(mouse.end(),
                         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
            break;
    }
    for (UINT each : mouse) {
        PostMessageA(window, callback, id, static_cast<LPARAM>(each));
    }
}

void setShellRunning(bool running) {
    Lock lock = lockDesktop();
    Desktop::instance().shellRunning = running;
}

void restartShell() {
    std::vector<HWND> everyone;
    {
        Desktop& desktop = Desktop::instance();
        Lock lock = lockDesktop();
        for (const NotifyIcon& icon : desktop.trayIcons) {
            announce(desktop, DesktopEvent::Kind::IconRemoved, icon);
        }
        desktop.trayIcons.clear();
        desktop.shellRunning = true;
        everyone = desktop.topLevel;
    }
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    for (HWND window : everyone) {
        PostMessageA(window, taskbarCreated, 0, 0);
    }
}

}  // namespace emu::control

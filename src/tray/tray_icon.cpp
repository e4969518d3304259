#include "tray/tray_icon.h"

#include <algorithm>
#include <cstring>

namespace lornette {

namespace {

// The record as the shell before Vista knew it: it ends with dwInfoFlags.
constexpr DWORD kIconDataSize = NOTIFYICONDATAA_V2_SIZE;
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kIconDataSize == 488);
#endif

constexpr UINT kIconId = 1;
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
constexpr UINT kBalloonTimeout = 10000;

constexpr const char* kSavedProcedureProperty = "WinProc";
constexpr const char* kCallbackMessageProperty = "CallbackMessage";
constexpr const char* kTaskbarCreatedProperty = "TaskbarCreatedMessage";
constexpr const char* kHandlerProperty = "Exec Event";

HANDLE asProperty(LONG_PTR value) {
    return reinterpret_cast<HANDLE>(value);
}

LONG_PTR readProperty(HWND window, const char* name) {
    return reinterpret_cast<LONG_PTR>(GetPropA(window, name));
}

WNDPROC replaceWindowProc(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

TrayIcon::TrayIcon() : taskbarCreatedMessage_(RegisterWindowMessageA("TaskbarCreated")) {}

TrayIcon::~TrayIcon() {
    removeIcon();
}

bool TrayIcon::addIcon(HWND window, HICON icon, const std::string& tip) {
    if (IsWindow(window) != TRUE) {
        return false;
    }
    iconWindow_ = window;
    iconData_.hIcon =
        icon != nullptr ? icon
                        : reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    iconData_.cbSize = kIconDataSize;
    iconData_.hWnd = window;
    iconData_.uID = kIconId;
    iconData_.uFlags = kIconFlags;
    iconData_.uCallbackMessage = trayCallbackMessage;
    iconData_.uTimeout = kBalloonTimeout;
    const std::size_t tipLength = std::min(tip.size(), sizeof(iconData_.szTip) - 1);
    std::memcpy(iconData_.szTip, tip.data(), tipLength);
    iconData_.szTip[tipLength] = '\0';
    return Shell_NotifyIconA(NIM_ADD, &iconData_) != FALSE;
}

void TrayIcon::setEventHandler(TrayEventHandler handler) {
    if (IsWindow(iconWindow_) != TRUE) {
        return;
    }
    savedWindowProc_ = replaceWindowProc(iconWindow_, trayWindowProc);
    SetPropA(iconWindow_, kSavedProcedureProperty,
             asProperty(reinterpret_cast<LONG_PTR>(savedWindowProc_)));
    SetPropA(iconWindow_, kCallbackMessageProperty, asProperty(trayCallbackMessage));
    SetPropA(iconWindow_, kTaskbarCreatedProperty, asProperty(taskbarCreatedMessage_));
    if (handler != nullptr) {
        SetPropA(iconWindow_, kHandlerProperty, asProperty(reinterpret_cast<LONG_PTR>(handler)));
    }
}

bool TrayIcon::restoreIcon() {
    return iconData_.cbSize != 0 && Shell_NotifyIconA(NIM_ADD, &iconData_) != FALSE;
}

bool TrayIcon::removeIcon() {
    if (savedWindowProc_ != nullptr) {
        replaceWindowProc(iconWindow_, savedWindowProc_);
    }
    iconWindow_ = nullptr;
    savedWindowProc_ = nullptr;
    std::memset(iconData_.szInfo, 0, sizeof(iconData_.szInfo));
    std::memset(iconData_.szInfoTitle, 0, sizeof(iconData_.szInfoTitle));
    return Shell_NotifyIconA(NIM_DELETE, &iconData_) != FALSE;
}

LRESULT CALLBACK TrayIcon::trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto savedProcedure =
        reinterpret_cast<WNDPROC>(readProperty(window, kSavedProcedureProperty));
    const auto callbackMessage = static_cast<UINT>(readProperty(window, kCallbackMessageProperty));
    const auto taskbarCreated = static_cast<UINT>(readProperty(window, kTaskbarCreatedProperty));
    const auto handler = reinterpret_cast<TrayEventHandler>(readProperty(window, kHandlerProperty));

    if (handler != nullptr) {
        if (message == callbackMessage) {
            handler(static_cast<std::int32_t>(lParam));
            return 0;
        }
        if (message == taskbarCreated) {
            handler(trayEventTaskbarCreated);
            return 0;
        }
        if (message == WM_DESTROY) {
            handler(trayEventWindowDestroyed);
        }
    }
    return CallWindowProcA(savedProcedure, window, message, wParam, lParam);
}

}  // namespace lornette

#include "app/main_window.h"

#include "app/program_state.h"
#include "app/resource_ids.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "app/visibility.h"
#include "automation/dialog_automator.h"
#include "clipboard/clipboard_watcher.h"
#include "download/download_launcher.h"

namespace lornette {

namespace {

constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

void setApplicationIcon(HWND window, HINSTANCE instance) {
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(LORNETTE_APPLICATION_ICON));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

LRESULT onCreate(HWND window, const CREATESTRUCTA& create) {
    mainWindow = window;
    setApplicationIcon(window, create.hInstance);
    createMainWindowControls(window, create.hInstance);
    SetTimer(window, kAutomationTimerId, kAutomationIntervalMs, nullptr);
    onMainWindowCreated();
    return 0;
}

void onMenuCommand(UINT command) {
    switch (command) {
        case kShowCommand:
            toggleMainWindow();
            break;
        case kCloseCommand:
            endProgram(0);
            break;
        case kTickAllCommand:
            tickAllRows();
            break;
        case kUntickAllCommand:
            untickAllRows();
            break;
        default:
            break;
    }
}

void onCommand(WPARAM wParam, LPARAM lParam) {
    const bool fromControl = lParam != 0;
    if (!fromControl) {
        onMenuCommand(LOWORD(wParam));
    } else if (LOWORD(wParam) == kDownloadButtonId && HIWORD(wParam) == BN_CLICKED) {
        downloadTickedRows();
    }
}

void onNotify(const NMHDR& notice) {
    if (notice.hwndFrom == resultList && notice.code == static_cast<UINT>(NM_RCLICK)) {
        showListMenu();
    }
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_TIMER:
            if (wParam == kAutomationTimerId) {
                automationTick();
            }
            return 0;
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            onNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_CLOSE:
            if (!onMainWindowCanClose()) {
                return 0;
            }
            break;
        case WM_QUERYENDSESSION:
            return onMainWindowCanClose() ? TRUE : FALSE;
        case WM_DESTROY:
            clipboardWatcher::uninstall();
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createMainWindow(HINSTANCE instance) {
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(LORNETTE_APPLICATION_ICON));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kMainWindowClassName;
    RegisterClassExA(&windowClass);

    // Centred on the primary screen, each half with its remainder dropped.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
    return CreateWindowExA(0, kMainWindowClassName, kMainWindowCaption, kMainWindowStyle, left, top,
                           kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance,
                           nullptr);
}

}  // namespace lornette

// The default window procedure: what a window does with a message its own procedure passes on.
#include <algorithm>
#include <cstring>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace {

constexpr WPARAM kSmallIcon = 0;  // ICON_SMALL
constexpr WPARAM kBigIcon = 1;    // ICON_BIG

LRESULT storeText(HWND window, LPARAM text) {
    Lock lock = lockDesktop();
    WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return FALSE;
    }
    record->text = text != 0 ? reinterpret_cast<LPCSTR>(text) : "";
    return TRUE;
}

LRESULT copyTextOut(HWND window, WPARAM bufferSize, LPARAM buffer) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr || buffer == 0 || bufferSize == 0) {
        return 0;
    }
    const std::size_t length =
        std::min(record->text.size(), static_cast<std::size_t>(bufferSize - 1));
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, record->text.data(), length);
    out[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT textLength(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    return record != nullptr ? static_cast<LRESULT>(record->text.size()) : 0;
}

LRESULT swapIcon(HWND window, WPARAM which, LPARAM icon) {
    Lock lock = lockDesktop();
    WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return 0;
    }
    HICON& slot = which == kBigIcon ? record->bigIcon : record->smallIcon;
    const HICON previous = slot;
    slot = reinterpret_cast<HICON>(icon);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT readIcon(HWND window, WPARAM which) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return 0;
    }
    return reinterpret_cast<LRESULT>(which == kSmallIcon ? record->smallIcon : record->bigIcon);
}

LRESULT swapFont(HWND window, WPARAM font) {
    Lock lock = lockDesktop();
    if (WindowRecord* record = Desktop::instance().find(window)) {
        record->font = reinterpret_cast<HFONT>(font);
    }
    return 0;
}

LRESULT readFont(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    return record != nullptr ? reinterpret_cast<LRESULT>(record->font) : 0;
}

HWND topLevelOf(HWND window) {
    Lock lock = lockDesktop();
    return topLevelAncestor(Desktop::instance(), window);
}

LRESULT systemCommand(HWND window, WPARAM command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE:
            return SendMessageA(window, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            ShowWindow(window, SW_MINIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(window, SW_RESTORE);
            return 0;
        default:
            return 0;
    }
}

}  // namespace

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            storeText(window,
                      reinterpret_cast<LPARAM>(create != nullptr ? create->lpszName : nullptr));
            return TRUE;
        }
        case WM_SETTEXT:
            return storeText(window, lParam);
        case WM_GETTEXT:
            return copyTextOut(window, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return textLength(window);
        case WM_SETICON:
            return swapIcon(window, wParam, lParam);
        case WM_GETICON:
            return readIcon(window, wParam);
        case WM_SETFONT:
            return swapFont(window, wParam);
        case WM_GETFONT:
            return readFont(window);
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSCOMMAND:
            return systemCommand(window, wParam);
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4) {
                SendMessageA(topLevelOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_NCLBUTTONUP:
            if (wParam == HTCLOSE) {
                SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        default:
            return 0;
    }
}

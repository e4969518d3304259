// What the desktop's user does besides clicking: keys, system menu, log-off question; what the
// user sees of the taskbar; resources; and the desktop coming to rest.
#include "platform/emu/desktop.h"

using namespace emu::detail;

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    constexpr std::uintptr_t kResourceIcons = 0x20000;
    constexpr std::uintptr_t kSystemIcons = 0x30000;
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    if (id > 0xFFFF) {
        return nullptr;  // icons are only known by number here
    }
    return reinterpret_cast<HICON>((instance == nullptr ? kSystemIcons : kResourceIcons) + id);
}

HGDIOBJ GetStockObject(int object) {
    constexpr std::uintptr_t kStockObjects = 0x40000;
    return reinterpret_cast<HGDIOBJ>(kStockObjects + static_cast<std::uintptr_t>(object));
}

namespace emu::control {

namespace {

constexpr LPARAM kKeyUpFlags = static_cast<LPARAM>(0xC0000001u);
constexpr LPARAM kAltHeld = 0x20000000;
constexpr LPARAM kEndSessionLogOff = static_cast<LPARAM>(0x80000000u);

// Keys go to the focused window of the foreground window's thread, or to the foreground window.
HWND keyboardTarget(Desktop& desktop) {
    const WindowRecord* foreground = desktop.find(desktop.foreground);
    if (foreground == nullptr) {
        return nullptr;
    }
    const HWND focus = foreground->thread->focus;
    if (focus != nullptr &&
        (focus == desktop.foreground || isDescendant(desktop, desktop.foreground, focus))) {
        return focus;
    }
    return desktop.foreground;
}

}  // namespace

void pressKey(UINT virtualKey, bool alt) {
    HWND target = nullptr;
    {
        Lock lock = lockDesktop();
        target = keyboardTarget(Desktop::instance());
    }
    if (target == nullptr) {
        return;
    }
    const LPARAM altFlag = alt ? kAltHeld : 0;
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, 1 | altFlag);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, kKeyUpFlags | altFlag);
}

POINT closeBoxPoint(HWND window) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return {};
    }
    const RECT outer = windowRectOnScreen(desktop, window);
    const Frame frame = frameOf(record->style, record->exStyle);
    return {outer.right - frame.border - frame.caption / 2,
            outer.top + frame.border + frame.caption / 2};
}

void chooseSystemMenuClose(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool queryEndSession() {
    std::vector<HWND> everyone;
    {
        Lock lock = lockDesktop();
        everyone = Desktop::instance().topLevel;
    }
    bool allowed = true;
    for (HWND window : everyone) {
        if (IsWindow(window) &&
            SendMessageA(window, WM_QUERYENDSESSION, 0, kEndSessionLogOff) == FALSE) {
            allowed = false;
        }
    }
    for (HWND window : everyone) {
        if (IsWindow(window)) {
            SendMessageA(window, WM_ENDSESSION, allowed ? TRUE : FALSE, kEndSessionLogOff);
        }
    }
    return allowed;
}

std::vector<HWND> taskbarWindows() {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    std::vector<HWND> shown;
    for (HWND top : desktop.topLevel) {
        const WindowRecord* record = desktop.find(top);
        const bool visible = (record->style & WS_VISIBLE) != 0;
        const bool toolWindow = (record->exStyle & WS_EX_TOOLWINDOW) != 0;
        const bool appWindow = (record->exStyle & WS_EX_APPWINDOW) != 0;
        if (visible && (appWindow || (record->owner == nullptr && !toolWindow))) {
            shown.push_back(top);
        }
    }
    return shown;
}

HFONT windowFont(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    return record != nullptr ? record->font : nullptr;
}

bool waitUntilIdle(std::chrono::milliseconds timeout) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto atRest = [&] {
        for (const auto& thread : desktop.threads) {
            if (!thread->managed || thread->ended || thread->process->ended) {
                continue;
            }
            const bool nothingToDo = thread->inbox.empty() && thread->posted.empty() &&
                                     !thread->quitPosted && thread->newMessages == 0;
            if (!thread->waitingForInput || !nothingToDo) {
                return false;
            }
        }
        return true;
    };
    return desktop.restChanged.wait_for(lock, timeout, atRest);
}

}  // namespace emu::control

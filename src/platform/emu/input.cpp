// The mouse cursor and synthetic mouse input.
#include <algorithm>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace emu::detail {

namespace {

bool contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

HWND deepestChildAt(Desktop& desktop, HWND window, POINT point) {
    for (HWND child : desktop.find(window)->children) {
        if ((desktop.find(child)->style & WS_VISIBLE) != 0 &&
            contains(windowRectOnScreen(desktop, child), point)) {
            return deepestChildAt(desktop, child, point);
        }
    }
    return window;
}

}  // namespace

HWND windowAt(Desktop& desktop, POINT point) {
    for (HWND top : desktop.topLevel) {
        const WindowRecord* record = desktop.find(top);
        if ((record->style & WS_VISIBLE) != 0 && (record->style & WS_MINIMIZE) == 0 &&
            contains(windowRectOnScreen(desktop, top), point)) {
            return deepestChildAt(desktop, top, point);
        }
    }
    return nullptr;
}

}  // namespace emu::detail

namespace {

// Where on the window the point lies, as the default hit test would say.
WPARAM hitTest(Desktop& desktop, HWND window, POINT point) {
    const WindowRecord* record = desktop.find(window);
    const RECT client = clientRectOnScreen(desktop, window);
    if (contains(client, point)) {
        return HTCLIENT;
    }
    const RECT outer = windowRectOnScreen(desktop, window);
    const Frame frame = frameOf(record->style, record->exStyle);
    const bool inCaption = frame.caption > 0 && point.y >= outer.top + frame.border &&
                           point.y < outer.top + frame.border + frame.caption;
    if (!inCaption) {
        return HTBORDER;
    }
    const bool onCloseBox =
        (record->style & WS_SYSMENU) != 0 && point.x >= outer.right - frame.border - frame.caption;
    return onCloseBox ? HTCLOSE : HTCAPTION;
}

constexpr UINT kNonClientRightDown = 0x00A4;  // WM_NCRBUTTONDOWN
constexpr UINT kNonClientRightUp = 0x00A5;    // WM_NCRBUTTONUP
constexpr WPARAM kRightButtonHeld = 0x0002;   // MK_RBUTTON

// Posts the button message of one press or release to the window under the cursor.
void deliverButton(Desktop& desktop, HWND target, POINT at, bool down, bool right = false) {
    WindowRecord* record = desktop.find(target);
    const WPARAM hit = hitTest(desktop, target, at);
    MSG message{target, 0, 0, 0, GetTickCount(), at};
    if (hit == HTCLIENT) {
        const RECT client = clientRectOnScreen(desktop, target);
        if (right) {
            message.message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            message.wParam = down ? kRightButtonHeld : 0;
        } else {
            message.message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            message.wParam = down ? MK_LBUTTON : 0;
        }
        message.lParam = MAKELPARAM(at.x - client.left, at.y - client.top);
    } else {
        if (right) {
            message.message = down ? kNonClientRightDown : kNonClientRightUp;
        } else {
            message.message = down ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
        }
        message.wParam = hit;
        message.lParam = MAKELPARAM(at.x, at.y);
    }
    postToThread(desktop, *record->thread, message, QS_MOUSEBUTTON);
}

}  // namespace

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) {
        return FALSE;
    }
    Lock lock = lockDesktop();
    *point = Desktop::instance().cursor;
    return TRUE;
}

// The cursor stays on the screen, as on the real desktop.
BOOL SetCursorPos(int x, int y) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    desktop.cursor.x = std::clamp(x, 0, desktop.screenWidth - 1);
    desktop.cursor.y = std::clamp(y, 0, desktop.screenHeight - 1);
    return TRUE;
}

HWND WindowFromPoint(POINT point) {
    Lock lock = lockDesktop();
    return windowAt(Desktop::instance(), point);
}

// Only left-button presses and releases at the cursor are emulated; they go to the window under
// the cursor like real input.
void mouse_event(DWORD flags, DWORD, DWORD, DWORD, ULONG_PTR) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const POINT at = desktop.cursor;
    const HWND target = windowAt(desktop, at);
    desktop.injectedInput.push_back({flags, at, target});
    if (target == nullptr || desktop.find(target)->thread->ended) {
        return;
    }
    if ((flags & MOUSEEVENTF_LEFTDOWN) != 0) {
        deliverButton(desktop, target, at, true);
    }
    if ((flags & MOUSEEVENTF_LEFTUP) != 0) {
        deliverButton(desktop, target, at, false);
    }
}

void emu::control::userClick(POINT at, MouseButton button) {
    SetCursorPos(at.x, at.y);
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const POINT cursor = desktop.cursor;
    const HWND target = windowAt(desktop, cursor);
    if (target == nullptr || desktop.find(target)->thread->ended) {
        return;
    }
    const bool right = button == MouseButton::Right;
    deliverButton(desktop, target, cursor, true, right);
    deliverButton(desktop, target, cursor, false, right);
}

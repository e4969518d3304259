// What a window is and shows: visibility, minimised state, Z order, foreground and focus,
// geometry, text, class name, owner, window longs and properties.
#include <algorithm>
#include <cstring>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace emu::detail {

namespace {

constexpr int kCaptionHeight = 19;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;
constexpr int kThinBorder = 1;
constexpr int kClientEdge = 2;

}  // namespace

Frame frameOf(DWORD style, DWORD exStyle) {
    Frame frame;
    if ((style & WS_THICKFRAME) != 0) {
        frame.border = kSizingFrame;
    } else if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
        frame.border = kDialogFrame;
    } else if ((style & WS_BORDER) != 0) {
        frame.border = kThinBorder;
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
        frame.border += kClientEdge;
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        frame.caption = kCaptionHeight;
    }
    return frame;
}

RECT windowRectOnScreen(Desktop& desktop, HWND window) {
    const WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return {};
    }
    RECT rect = record->rect;
    if (record->parent != nullptr) {
        const RECT parentClient = clientRectOnScreen(desktop, record->parent);
        rect.left += parentClient.left;
        rect.right += parentClient.left;
        rect.top += parentClient.top;
        rect.bottom += parentClient.top;
    }
    return rect;
}

RECT clientRectOnScreen(Desktop& desktop, HWND window) {
    const WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return {};
    }
    const RECT outer = windowRectOnScreen(desktop, window);
    const Frame frame = frameOf(record->style, record->exStyle);
    RECT client{outer.left + frame.border, outer.top + frame.border + frame.caption,
                outer.right - frame.border, outer.bottom - frame.border};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

bool isVisibleChain(Desktop& desktop, HWND window) {
    for (const WindowRecord* record = desktop.find(window); record != nullptr;
         record = record->parent != nullptr ? desktop.find(record->parent) : nullptr) {
        if ((record->style & WS_VISIBLE) == 0) {
            return false;
        }
        if (record->parent == nullptr) {
            return true;
        }
    }
    return false;
}

void bringToTop(Desktop& desktop, HWND window) {
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return;
    }
    std::vector<HWND>& siblings = siblingsOf(desktop, *record);
    std::erase(siblings, window);
    siblings.insert(siblings.begin(), window);
}

void activate(Desktop& desktop, HWND window) {
    const HWND top = topLevelAncestor(desktop, window);
    if (top == nullptr) {
        return;
    }
    bringToTop(desktop, top);
    desktop.foreground = top;
}

void fixForegroundAfterHide(Desktop& desktop, HWND hidden) {
    if (desktop.foreground != hidden) {
        return;
    }
    desktop.foreground = nullptr;
    for (HWND top : desktop.topLevel) {
        const WindowRecord* record = desktop.find(top);
        if (top != hidden && (record->style & WS_VISIBLE) != 0 &&
            (record->style & WS_MINIMIZE) == 0) {
            desktop.foreground = top;
            return;
        }
    }
}

void setVisible(Desktop& desktop, WindowRecord& window, bool visible) {
    const bool wasVisible = (window.style & WS_VISIBLE) != 0;
    if (visible == wasVisible) {
        return;
    }
    if (visible) {
        window.style |= WS_VISIBLE;
    } else {
        window.style &= ~static_cast<DWORD>(WS_VISIBLE);
        fixForegroundAfterHide(desktop, window.handle);
    }
    if (window.parent == nullptr) {
        using Kind = emu::control::DesktopEvent::Kind;
        desktop.emit(
            {visible ? Kind::WindowShown : Kind::WindowHidden, window.handle, 0, 0, "", ""});
    }
}

}  // namespace emu::detail

namespace {

enum class Activation { None, Activate };

struct ShowEffect {
    bool visible;
    std::optional<bool> minimised;
    Activation activation;
};

ShowEffect showEffect(int command) {
    switch (command) {
        case SW_HIDE:
            return {false, std::nullopt, Activation::None};
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            return {true, false, Activation::Activate};
        case SW_SHOWNOACTIVATE:
            return {true, false, Activation::None};
        case SW_SHOWMINIMIZED:
            return {true, true, Activation::Activate};
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            return {true, true, Activation::None};
        case SW_SHOWNA:
            return {true, std::nullopt, Activation::None};
        case SW_SHOW:
        case SW_SHOWMAXIMIZED:
        default:
            return {true, std::nullopt, Activation::Activate};
    }
}

BOOL showOnOwnerThread(Lock& lock, HWND window, int command) {
    Desktop& desktop = Desktop::instance();
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return FALSE;
    }
    const bool wasVisible = (record->style & WS_VISIBLE) != 0;
    const ShowEffect effect = showEffect(command);
    if (effect.visible != wasVisible) {
        callProcedure(lock, record->procedure, window, WM_SHOWWINDOW, effect.visible ? TRUE : FALSE,
                      0);
        record = desktop.find(window);
        if (record == nullptr) {
            return wasVisible;
        }
    }
    if (effect.minimised) {
        if (*effect.minimised) {
            record->style |= WS_MINIMIZE;
        } else {
            record->style &= ~static_cast<DWORD>(WS_MINIMIZE);
        }
    }
    setVisible(desktop, *record, effect.visible);
    if (record->parent == nullptr) {
        if (effect.activation == Activation::Activate) {
            activate(desktop, window);
        } else if ((record->style & WS_MINIMIZE) != 0) {
            fixForegroundAfterHide(desktop, window);
        }
    }
    desktop.wake();
    return wasVisible ? TRUE : FALSE;
}

}  // namespace

BOOL ShowWindow(HWND window, int command) {
    Lock lock = lockDesktop();
    if (Desktop::instance().find(window) == nullptr) {
        return FALSE;
    }
    return static_cast<BOOL>(runOnWindowThread(lock, window, [window, command]() -> LRESULT {
        Lock inner = lockDesktop();
        return showOnOwnerThread(inner, window, command);
    }));
}

BOOL IsWindowVisible(HWND window) {
    Lock lock = lockDesktop();
    return isVisibleChain(Desktop::instance(), window) ? TRUE : FALSE;
}

BOOL IsIconic(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    return record != nullptr && (record->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL OpenIcon(HWND window) {
    if (!IsWindow(window)) {
        return FALSE;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    return TRUE;
}

namespace {

void placeInZOrder(Desktop& desktop, WindowRecord& record, HWND insertAfter) {
    std::vector<HWND>& siblings = siblingsOf(desktop, record);
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) {
        bringToTop(desktop, record.handle);
        return;
    }
    std::erase(siblings, record.handle);
    const auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
    if (insertAfter == HWND_BOTTOM || after == siblings.end()) {
        siblings.push_back(record.handle);
    } else {
        siblings.insert(after + 1, record.handle);
    }
}

LRESULT setPositionOnOwnerThread(HWND window, HWND insertAfter, int x, int y, int width, int height,
                                 UINT flags) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return FALSE;
    }
    if ((flags & SWP_NOMOVE) == 0) {
        const LONG w = record->rect.right - record->rect.left;
        const LONG h = record->rect.bottom - record->rect.top;
        record->rect = {x, y, x + w, y + h};
    }
    if ((flags & SWP_NOSIZE) == 0) {
        record->rect.right = record->rect.left + width;
        record->rect.bottom = record->rect.top + height;
    }
    if ((flags & SWP_NOZORDER) == 0) {
        placeInZOrder(desktop, *record, insertAfter);
    }
    if ((flags & SWP_SHOWWINDOW) != 0) {
        setVisible(desktop, *record, true);
    }
    if ((flags & SWP_HIDEWINDOW) != 0) {
        setVisible(desktop, *record, false);
    }
    if ((flags & SWP_NOACTIVATE) == 0 && record->parent == nullptr) {
        activate(desktop, window);
    }
    desktop.wake();
    return TRUE;
}

}  // namespace

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Lock lock = lockDesktop();
    if (Desktop::instance().find(window) == nullptr) {
        return FALSE;
    }
    return static_cast<BOOL>(runOnWindowThread(lock, window, [=]() -> LRESULT {
        return setPositionOnOwnerThread(window, insertAfter, x, y, width, height, flags);
    }));
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SetForegroundWindow(HWND window) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    desktop.foregroundRequests.push_back(window);
    if (desktop.find(window) == nullptr) {
        return FALSE;
    }
    activate(desktop, window);
    desktop.wake();
    return TRUE;
}

HWND GetForegroundWindow() {
    Lock lock = lockDesktop();
    return Desktop::instance().foreground;
}

HWND SetFocus(HWND window) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const HWND previous = self.focus;
    if (window == nullptr || desktop.find(window) != nullptr) {
        self.focus = window;
    }
    return previous;
}

HWND GetFocus() {
    Lock lock = lockDesktop();
    return Desktop::instance().currentThread(lock).focus;
}

// --- Geometry ----------------------------------------------------------------------------------

namespace {

// The window's rectangles on the screen, if it is a window.
std::optional<std::pair<RECT, RECT>> outerAndClient(HWND window) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (desktop.find(window) == nullptr) {
        return std::nullopt;
    }
    return std::pair{windowRectOnScreen(desktop, window), clientRectOnScreen(desktop, window)};
}

}  // namespace

BOOL GetWindowRect(HWND window, LPRECT rect) {
    const auto rects = outerAndClient(window);
    if (!rects || rect == nullptr) {
        return FALSE;
    }
    *rect = rects->first;
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    const auto rects = outerAndClient(window);
    if (!rects || rect == nullptr) {
        return FALSE;
    }
    const RECT& client = rects->second;
    *rect = {0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
    const auto rects = outerAndClient(window);
    if (!rects || point == nullptr) {
        return FALSE;
    }
    point->x += rects->second.left;
    point->y += rects->second.top;
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
    const auto rects = outerAndClient(window);
    if (!rects || point == nullptr) {
        return FALSE;
    }
    point->x -= rects->second.left;
    point->y -= rects->second.top;
    return TRUE;
}

int GetSystemMetrics(int index) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    switch (index) {
        case SM_CXSCREEN:
            return desktop.screenWidth;
        case SM_CYSCREEN:
            return desktop.screenHeight;
        case SM_CYCAPTION:
            return kCaptionHeight;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return kThinBorder;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return kDialogFrame;
        default:
            return 0;
    }
}

// --- Text, class and owner -------------------------------------------------------------------

namespace {

int copyText(const std::string& text, LPSTR buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) {
        return 0;
    }
    const int length = std::min(static_cast<int>(text.size()), bufferSize - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(length));
    buffer[length] = '\0';
    return length;
}

// Windows of the calling process answer text questions through their procedures; windows of
// other processes are read directly, as the real system does.
bool askProcedure(Desktop& desktop, const Lock& lock, const WindowRecord& record) {
    return record.thread->process == desktop.currentThread(lock).process;
}

}  // namespace

int GetWindowTextA(HWND window, LPSTR buffer, int bufferSize) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return copyText("", buffer, bufferSize);
    }
    if (askProcedure(desktop, lock, *record)) {
        lock.unlock();
        return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                                             reinterpret_cast<LPARAM>(buffer)));
    }
    return copyText(record->text, buffer, bufferSize);
}

int GetWindowTextLengthA(HWND window) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return 0;
    }
    if (askProcedure(desktop, lock, *record)) {
        lock.unlock();
        return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    }
    return static_cast<int>(record->text.size());
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (!IsWindow(window)) {
        return FALSE;
    }
    return static_cast<BOOL>(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetClassNameA(HWND window, LPSTR buffer, int bufferSize) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    return record == nullptr ? 0 : copyText(record->windowClass->name, buffer, bufferSize);
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return 0;
    }
    if (processId != nullptr) {
        *processId = record->thread->process->id;
    }
    return record->thread->id;
}

// --- Window longs and properties ---------------------------------------------------------------

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    WindowRecord* record = findWindowOrFail(desktop, self, window);
    if (record == nullptr) {
        return 0;
    }
    if (record->thread->process != self.process) {
        self.lastError = ERROR_ACCESS_DENIED;
        return 0;
    }
    LONG_PTR previous = 0;
    switch (index) {
        case GWLP_WNDPROC:
            previous = reinterpret_cast<LONG_PTR>(record->procedure);
            record->procedure = reinterpret_cast<WNDPROC>(value);
            break;
        case GWL_STYLE:
            previous = static_cast<LONG_PTR>(record->style);
            record->style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            previous = static_cast<LONG_PTR>(record->exStyle);
            record->exStyle = static_cast<DWORD>(value);
            break;
        case GWLP_USERDATA:
            previous = record->userData;
            record->userData = value;
            break;
        case GWLP_ID:
            previous = record->id;
            record->id = value;
            break;
        default:
            self.lastError = ERROR_INVALID_PARAMETER;
            return 0;
    }
    self.lastError = ERROR_SUCCESS;
    return previous;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return 0;
    }
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(record->procedure);
        case GWL_STYLE:
            return static_cast<LONG_PTR>(record->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(record->exStyle);
        case GWLP_USERDATA:
            return record->userData;
        case GWLP_ID:
            return record->id;
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(record->instance);
        default:
            return 0;
    }
}

namespace {

// Property names are atoms, so they compare without regard to ASCII case.
auto findProperty(WindowRecord& record, LPCSTR name) {
    return std::find_if(
        record.properties.begin(), record.properties.end(),
        [&](const auto& property) { return equalIgnoringAsciiCase(property.first, name); });
}

}  // namespace

BOOL SetPropA(HWND window, LPCSTR name, HANDLE value) {
    Lock lock = lockDesktop();
    WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr || name == nullptr) {
        return FALSE;
    }
    if (auto found = findProperty(*record, name); found != record->properties.end()) {
        found->second = value;
    } else {
        record->properties.emplace_back(name, value);
    }
    return TRUE;
}

HANDLE GetPropA(HWND window, LPCSTR name) {
    Lock lock = lockDesktop();
    WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr || name == nullptr) {
        return nullptr;
    }
    const auto found = findProperty(*record, name);
    return found != record->properties.end() ? found->second : nullptr;
}

HANDLE RemovePropA(HWND window, LPCSTR name) {
    Lock lock = lockDesktop();
    WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr || name == nullptr) {
        return nullptr;
    }
    const auto found = findProperty(*record, name);
    if (found == record->properties.end()) {
        return nullptr;
    }
    const HANDLE value = found->second;
    record->properties.erase(found);
    return value;
}

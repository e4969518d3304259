// Window creation and destruction, and the window tree.
#include <algorithm>

#include "platform/emu/desktop.h"
#include "platform/emu/system_classes.h"

using namespace emu::detail;

namespace emu::detail {

std::vector<HWND>& siblingsOf(Desktop& desktop, WindowRecord& window) {
    if (window.parent != nullptr) {
        if (WindowRecord* parent = desktop.find(window.parent)) {
            return parent->children;
        }
    }
    return desktop.topLevel;
}

WindowRecord* findWindowOrFail(Desktop& desktop, ThreadRecord& self, HWND window) {
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        self.lastError = ERROR_INVALID_WINDOW_HANDLE;
    }
    return record;
}

bool isDescendant(Desktop& desktop, HWND ancestor, HWND window) {
    for (WindowRecord* record = desktop.find(window); record != nullptr && record->parent;
         record = desktop.find(record->parent)) {
        if (record->parent == ancestor) {
            return true;
        }
    }
    return false;
}

HWND topLevelAncestor(Desktop& desktop, HWND window) {
    WindowRecord* record = desktop.find(window);
    while (record != nullptr && record->parent != nullptr) {
        window = record->parent;
        record = desktop.find(window);
    }
    return record != nullptr ? window : nullptr;
}

namespace {

// The window and its descendants, parents before their children.
std::vector<HWND> subtree(Desktop& desktop, HWND root) {
    std::vector<HWND> order{root};
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (WindowRecord* record = desktop.find(order[i])) {
            order.insert(order.end(), record->children.begin(), record->children.end());
        }
    }
    return order;
}

void forgetWindow(Desktop& desktop, HWND window) {
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return;
    }
    std::erase(siblingsOf(desktop, *record), window);
    for (auto& thread : desktop.threads) {
        std::erase_if(thread->timers, [&](const WindowTimer& t) { return t.window == window; });
        if (thread->focus == window) {
            thread->focus = nullptr;
        }
    }
    if (desktop.foreground == window) {
        desktop.foreground = nullptr;
    }
    desktop.windows.erase(window);
}

}  // namespace

void destroyWindowSilently(Desktop& desktop, HWND window) {
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return;
    }
    if (record->parent == nullptr && (record->style & WS_VISIBLE) != 0) {
        setVisible(desktop, *record, false);
    }
    const std::vector<HWND> doomed = subtree(desktop, window);
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        forgetWindow(desktop, *it);
    }
}

}  // namespace emu::detail

namespace {

constexpr int kDefaultLeft = 100;
constexpr int kDefaultTop = 100;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

HWND insertWindow(Desktop& desktop, std::shared_ptr<ThreadRecord> owner,
                  std::shared_ptr<WindowClass> windowClass, DWORD exStyle, DWORD style, RECT rect,
                  HWND parent, HMENU menuOrId, HINSTANCE instance) {
    const HWND handle = desktop.newWindowHandle();
    WindowRecord record;
    record.handle = handle;
    record.windowClass = std::move(windowClass);
    record.thread = std::move(owner);
    record.style = style & ~static_cast<DWORD>(WS_VISIBLE);
    record.exStyle = exStyle;
    record.rect = rect;
    record.procedure = record.windowClass->procedure;
    record.instance = instance;
    if ((style & WS_CHILD) != 0) {
        record.parent = parent;
        record.id = reinterpret_cast<LONG_PTR>(menuOrId);
        desktop.find(parent)->children.push_back(handle);  // new children go to the bottom
    } else {
        record.owner = parent != nullptr ? topLevelAncestor(desktop, parent) : nullptr;
        desktop.topLevel.insert(desktop.topLevel.begin(), handle);  // and new windows to the top
    }
    desktop.windows.emplace(handle, std::move(record));
    return handle;
}

RECT initialRect(int x, int y, int width, int height, bool child) {
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : kDefaultLeft;
        y = child ? 0 : kDefaultTop;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : kDefaultWidth;
        height = child ? 0 : kDefaultHeight;
    }
    return RECT{x, y, x + width, y + height};
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     LPVOID createParams) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto selfShared = desktop.currentThreadShared(lock);
    ThreadRecord& self = *selfShared;
    if (self.process->ended || className == nullptr) {
        return nullptr;
    }
    auto windowClass = findClass(desktop, *self.process, className);
    if (!windowClass) {
        self.lastError = ERROR_CANNOT_FIND_WND_CLASS;
        return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    if ((child && desktop.find(parent) == nullptr) ||
        (!child && parent != nullptr && desktop.find(parent) == nullptr)) {
        self.lastError = ERROR_INVALID_WINDOW_HANDLE;
        return nullptr;
    }
    const HWND handle =
        insertWindow(desktop, selfShared, windowClass, exStyle, style,
                     initialRect(x, y, width, height, child), parent, menuOrId, instance);
    const WNDPROC procedure = desktop.find(handle)->procedure;

    CREATESTRUCTA create{
        createParams, instance,  menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
        windowName,   className, exStyle};
    const LPARAM createArgument = reinterpret_cast<LPARAM>(&create);
    if (callProcedure(lock, procedure, handle, WM_NCCREATE, 0, createArgument) == 0 ||
        callProcedure(lock, procedure, handle, WM_CREATE, 0, createArgument) == -1) {
        lock.unlock();
        DestroyWindow(handle);
        return nullptr;
    }
    if (desktop.find(handle) == nullptr) {
        return nullptr;  // destroyed by its own creation handlers
    }
    lock.unlock();
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(handle, child ? SW_SHOWNA : SW_SHOW);
    }
    return handle;
}

namespace {

void sendToSubtree(Lock& lock, Desktop& desktop, const std::vector<HWND>& windows, UINT message) {
    for (HWND window : windows) {
        if (WindowRecord* record = desktop.find(window)) {
            callProcedure(lock, record->procedure, window, message, 0, 0);
        }
    }
}

}  // namespace

// Destroys owned windows first; then WM_DESTROY reaches the window before its children, and
// WM_NCDESTROY reaches the children before the window. Afterwards the handles are no windows.
BOOL DestroyWindow(HWND window) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    WindowRecord* record = findWindowOrFail(desktop, self, window);
    if (record == nullptr) {
        return FALSE;
    }
    if (record->thread.get() != &self) {
        self.lastError = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    if (record->destroying) {
        return TRUE;
    }
    std::vector<HWND> owned;
    for (HWND top : desktop.topLevel) {
        if (desktop.find(top)->owner == window) {
            owned.push_back(top);
        }
    }
    for (HWND ownedWindow : owned) {
        lock.unlock();
        DestroyWindow(ownedWindow);
        lock.lock();
    }
    record = desktop.find(window);
    if (record == nullptr) {
        return TRUE;
    }
    if ((record->style & WS_VISIBLE) != 0 && record->parent == nullptr) {
        setVisible(desktop, *record, false);
    }
    const std::vector<HWND> doomed = subtree(desktop, window);
    for (HWND each : doomed) {
        desktop.find(each)->destroying = true;
    }
    sendToSubtree(lock, desktop, doomed, WM_DESTROY);
    sendToSubtree(lock, desktop, std::vector<HWND>(doomed.rbegin(), doomed.rend()), WM_NCDESTROY);
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        forgetWindow(desktop, *it);
    }
    desktop.wake();
    return TRUE;
}

BOOL IsWindow(HWND window) {
    Lock lock = lockDesktop();
    return Desktop::instance().find(window) != nullptr;
}

HWND GetParent(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return nullptr;
    }
    if (record->parent != nullptr) {
        return record->parent;
    }
    return (record->style & WS_POPUP) != 0 ? record->owner : nullptr;
}

BOOL IsChild(HWND parent, HWND window) {
    Lock lock = lockDesktop();
    return isDescendant(Desktop::instance(), parent, window);
}

HWND GetDlgItem(HWND dialog, int id) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const WindowRecord* record = desktop.find(dialog);
    if (record == nullptr) {
        return nullptr;
    }
    for (HWND child : record->children) {
        if (desktop.find(child)->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    return record != nullptr && record->parent != nullptr ? static_cast<int>(record->id) : 0;
}

// Enumeration of windows and the window search.
#include <algorithm>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace {

// Window searches ignore case. Texts are code page 936: a byte of 0x81 or more starts a
// double-byte character, whose bytes compare exactly.
bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x81) {
            if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(x) != lower(y)) {
            return false;
        }
    }
    return true;
}

std::vector<HWND> snapshotChildren(HWND parent) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (parent == nullptr) {
        return desktop.topLevel;
    }
    const WindowRecord* record = desktop.find(parent);
    return record != nullptr ? record->children : std::vector<HWND>{};
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC callback, LPARAM context) {
    if (callback == nullptr) {
        return FALSE;
    }
    for (HWND window : snapshotChildren(nullptr)) {
        if (IsWindow(window) && !callback(window, context)) {
            break;
        }
    }
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM context) {
    if (callback == nullptr) {
        return FALSE;
    }
    for (HWND child : snapshotChildren(parent)) {
        if (!IsWindow(child)) {
            continue;
        }
        if (!callback(child, context)) {
            return FALSE;
        }
        EnumChildWindows(child, callback, context);
    }
    return TRUE;
}

HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    std::vector<HWND>* candidates = &desktop.topLevel;
    if (parent != nullptr) {
        WindowRecord* record = findWindowOrFail(desktop, self, parent);
        if (record == nullptr) {
            return nullptr;
        }
        candidates = &record->children;
    }
    auto start = candidates->begin();
    if (childAfter != nullptr) {
        start = std::find(candidates->begin(), candidates->end(), childAfter);
        if (start == candidates->end()) {
            self.lastError = ERROR_INVALID_WINDOW_HANDLE;
            return nullptr;
        }
        ++start;
    }
    for (auto it = start; it != candidates->end(); ++it) {
        const WindowRecord* record = desktop.find(*it);
        if (className != nullptr && !sameTextIgnoringCase(record->windowClass->name, className)) {
            continue;
        }
        if (windowName != nullptr && !sameTextIgnoringCase(record->text, windowName)) {
            continue;
        }
        return *it;
    }
    self.lastError = ERROR_FILE_NOT_FOUND;
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}

HWND GetWindow(HWND window, UINT relation) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    WindowRecord* record = desktop.find(window);
    if (record == nullptr) {
        return nullptr;
    }
    if (relation == GW_CHILD) {
        return record->children.empty() ? nullptr : record->children.front();
    }
    if (relation == GW_OWNER) {
        return record->owner;
    }
    const std::vector<HWND>& siblings = siblingsOf(desktop, *record);
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    switch (relation) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return at + 1 != siblings.end() ? *(at + 1) : nullptr;
        case GW_HWNDPREV:
            return at != siblings.begin() ? *(at - 1) : nullptr;
        default:
            return nullptr;
    }
}

// Popup menus, tracked modally until the desktop's user chooses an item or closes the menu.
#include <algorithm>

#include "platform/emu/desktop.h"

using namespace emu::detail;

HMENU CreatePopupMenu() {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto menu = reinterpret_cast<HMENU>(desktop.newKernelHandle());
    desktop.menus[menu];
    return menu;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto found = desktop.menus.find(menu);
    if (found == desktop.menus.end()) {
        return FALSE;
    }
    const bool separator = (flags & MF_SEPARATOR) != 0;
    found->second.push_back({flags, id, separator || text == nullptr ? "" : text});
    return TRUE;
}

BOOL DestroyMenu(HMENU menu) {
    Lock lock = lockDesktop();
    return Desktop::instance().menus.erase(menu) > 0 ? TRUE : FALSE;
}

namespace {

// Forgets the tracked menu when tracking ends, whichever way it ends.
class MenuTracking {
  public:
    explicit MenuTracking(std::shared_ptr<TrackedMenu> menu) : menu_(std::move(menu)) {}
    ~MenuTracking() {
        Desktop& desktop = Desktop::instance();
        Lock lock = lockDesktop();
        if (desktop.trackedMenu == menu_) {
            desktop.trackedMenu.reset();
        }
        desktop.emit({emu::control::DesktopEvent::Kind::MenuClosed, menu_->owner, 0, 0, "", ""});
    }
    MenuTracking(const MenuTracking&) = delete;
    MenuTracking& operator=(const MenuTracking&) = delete;

  private:
    std::shared_ptr<TrackedMenu> menu_;
};

}  // namespace

// The chosen item's command is posted to the owner, which handles it after the call returns.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    Desktop& desktop = Desktop::instance();
    auto tracked = std::make_shared<TrackedMenu>();
    {
        Lock lock = lockDesktop();
        const auto found = desktop.menus.find(menu);
        if (found == desktop.menus.end() || desktop.find(owner) == nullptr || desktop.trackedMenu) {
            return FALSE;
        }
        *tracked = TrackedMenu{menu, found->second, POINT{x, y}, owner, flags, std::nullopt, false};
        desktop.trackedMenu = tracked;
        desktop.emit({emu::control::DesktopEvent::Kind::MenuOpened, owner, 0, 0, "", ""});
    }
    std::optional<UINT_PTR> chosen;
    {
        MenuTracking tracking(tracked);
        runModalLoop([&] { return tracked->closed; });
        chosen = tracked->chosen;
    }
    if (!chosen) {
        return FALSE;
    }
    if ((flags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(*chosen);
    }
    PostMessageA(owner, WM_COMMAND, static_cast<WPARAM>(LOWORD(*chosen)), 0);
    return TRUE;
}

namespace emu::control {

std::optional<MenuInfo> openMenu() {
    Lock lock = lockDesktop();
    const auto& tracked = Desktop::instance().trackedMenu;
    if (!tracked || tracked->closed) {
        return std::nullopt;
    }
    MenuInfo info{{}, tracked->at, tracked->owner, tracked->flags};
    for (const MenuItem& item : tracked->items) {
        info.items.push_back(item.text);
    }
    return info;
}

bool chooseMenuItem(const std::string& text) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto& tracked = desktop.trackedMenu;
    if (!tracked || tracked->closed) {
        return false;
    }
    const auto item = std::find_if(
        tracked->items.begin(), tracked->items.end(),
        [&](const MenuItem& i) { return (i.flags & MF_SEPARATOR) == 0 && i.text == text; });
    if (item == tracked->items.end()) {
        return false;
    }
    tracked->chosen = item->id;
    tracked->closed = true;
    desktop.wake();
    return true;
}

void dismissMenu() {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (desktop.trackedMenu) {
        desktop.trackedMenu->closed = true;
        desktop.wake();
    }
}

}  // namespace emu::control

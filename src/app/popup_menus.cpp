#include "app/popup_menus.h"

#include "app/main_window.h"
#include "app/program_state.h"

namespace lornette {

namespace {

constexpr LONG kMenuOffset = 3;

// Owns a popup menu for one showing.
class PopupMenu {
  public:
    explicit PopupMenu(const MenuDefinition& definition) : menu_(CreatePopupMenu()) {
        for (const MenuItemDefinition& item : definition.items) {
            AppendMenuA(menu_, MF_STRING, item.command, item.text);
        }
    }
    ~PopupMenu() { DestroyMenu(menu_); }
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void trackAt(POINT at, HWND owner) const {
        TrackPopupMenu(menu_, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    }

  private:
    HMENU menu_;
};

}  // namespace

const MenuDefinition& trayMenu() {
    static const MenuDefinition menu{"菜单", {{"显示", kShowCommand}, {"关闭", kCloseCommand}}};
    return menu;
}

const MenuDefinition& listMenu() {
    static const MenuDefinition menu{"菜单二",
                                     {{"全选", kTickAllCommand}, {"反选", kUntickAllCommand}}};
    return menu;
}

void showPopupMenuBesideCursor(const MenuDefinition& definition) {
    POINT at{};
    GetCursorPos(&at);
    at.x += kMenuOffset;
    at.y += kMenuOffset;
    PopupMenu(definition).trackAt(at, mainWindow);
}

}  // namespace lornette

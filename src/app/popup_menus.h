// The main window's two popup menus, built for one showing each time they pop up.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace lornette {

struct MenuItemDefinition {
    const char* text;
    UINT command;
};

struct MenuDefinition {
    const char* caption;
    std::vector<MenuItemDefinition> items;
};

// "菜单": the tray icon's menu.
const MenuDefinition& trayMenu();
// "菜单二": the result list's menu.
const MenuDefinition& listMenu();

// Pops the menu up 3 pixels right of and below the cursor, owned by the main window, and returns
// when it closes; a chosen item's command then goes to the main window.
void showPopupMenuBesideCursor(const MenuDefinition& menu);

}  // namespace lornette

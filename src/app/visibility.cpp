#include "app/visibility.h"

#include "app/popup_menus.h"
#include "app/program_state.h"

namespace lornette {

namespace {

constexpr std::int32_t kLeftButtonReleased = WM_LBUTTONUP;
constexpr std::int32_t kRightButtonReleased = WM_RBUTTONUP;

}  // namespace

bool onMainWindowCanClose() {
    ShowWindow(mainWindow, SW_HIDE);
    return false;
}

// A minimised window counts as shown.
void toggleMainWindow() {
    ShowWindow(mainWindow, IsWindowVisible(mainWindow) ? SW_HIDE : SW_SHOW);
}

void onTrayEvent(std::int32_t code) {
    switch (code) {
        case kLeftButtonReleased:
            toggleMainWindow();
            break;
        case kRightButtonReleased:
            showPopupMenuBesideCursor(trayMenu());
            break;
        case trayEventTaskbarCreated:
            // A restarted shell has forgotten the icon; without it the program could be neither
            // shown nor ended.
            if (trayIcon) {
                trayIcon->restoreIcon();
            }
            break;
        default:
            break;
    }
}

}  // namespace lornette

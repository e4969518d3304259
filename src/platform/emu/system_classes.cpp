#include "platform/emu/system_classes.h"

namespace emu::detail {
namespace {

constexpr WORD kButtonClicked = 0;  // BN_CLICKED

// A button is pressed by a click, by the space bar, and by Enter as its dialog's default button.
LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool pressed = message == WM_LBUTTONUP || (message == WM_KEYUP && wParam == 0x20) ||
                         (message == WM_KEYDOWN && wParam == VK_RETURN);
    if (pressed) {
        const HWND parent = GetParent(window);
        const int id = GetDlgCtrlID(window);
        SendMessageA(parent, WM_COMMAND, static_cast<WPARAM>(MAKELONG(id, kButtonClicked)),
                     reinterpret_cast<LPARAM>(window));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void registerSystemClasses(Desktop& desktop) {
    registerSystemClass(desktop, "#32770", DefWindowProcA);
    registerSystemClass(desktop, "Button", buttonProcedure);
    registerSystemClass(desktop, "Static", DefWindowProcA);
    registerListViewClass(desktop);
}

}  // namespace emu::detail

#include "platform/emu/system_classes.h"

namespace emu::detail {
namespace {

constexpr WORD kButtonClicked = 0;  // BN_CLICKED

LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONUP) {
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
}

}  // namespace emu::detail

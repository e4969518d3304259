// Message boxes: a dialog window of the calling thread with the text and its buttons, shown
// modally until the desktop's user presses one of them.
#include <algorithm>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace {

constexpr int kBoxWidth = 300;
constexpr int kBoxHeight = 150;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kTextId = 0xFFFF;

struct BoxButton {
    int id;
    const char* text;  // code page 936
};

std::vector<BoxButton> buttonsOf(UINT type) {
    static const char kOk[] = "\xC8\xB7\xB6\xA8";      // 确定
    static const char kCancel[] = "\xC8\xA1\xCF\xFB";  // 取消
    static const char kYes[] = "\xCA\xC7";             // 是
    static const char kNo[] = "\xB7\xF1";              // 否
    switch (type & 0xF) {
        case MB_OKCANCEL:
            return {{IDOK, kOk}, {IDCANCEL, kCancel}};
        case MB_YESNO:
            return {{IDYES, kYes}, {IDNO, kNo}};
        default:
            return {{IDOK, kOk}};
    }
}

void answer(HWND box, int button) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto state = desktop.messageBoxes.find(box);
    if (state != desktop.messageBoxes.end() && !state->second.answer) {
        state->second.answer = button;
        desktop.wake();
    }
}

bool isButtonOf(HWND box, int id) {
    Lock lock = lockDesktop();
    const auto state = Desktop::instance().messageBoxes.find(box);
    if (state == Desktop::instance().messageBoxes.end()) {
        return false;
    }
    const auto buttons = buttonsOf(state->second.type);
    return std::any_of(buttons.begin(), buttons.end(),
                       [&](const BoxButton& b) { return b.id == id; });
}

// Closing the box counts as its cancel button, or as OK when it has only that one.
int closeAnswer(HWND box) {
    return isButtonOf(box, IDCANCEL) ? IDCANCEL : isButtonOf(box, IDOK) ? IDOK : IDNO;
}

LRESULT CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (isButtonOf(box, LOWORD(wParam))) {
                answer(box, LOWORD(wParam));
            }
            return 0;
        case WM_CLOSE:
            answer(box, closeAnswer(box));
            return 0;
        default:
            return DefWindowProcA(box, message, wParam, lParam);
    }
}

HWND createBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kBoxWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kBoxHeight) / 2;
    const HWND box =
        CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        left, top, kBoxWidth, kBoxHeight, owner, nullptr, nullptr, nullptr);
    if (box == nullptr) {
        return nullptr;
    }
    CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE, 12, 12, kBoxWidth - 30, 60, box,
                    reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kTextId)), nullptr, nullptr);
    const auto buttons = buttonsOf(type);
    int x = kBoxWidth - 20 - static_cast<int>(buttons.size()) * (kButtonWidth + 8);
    for (const BoxButton& button : buttons) {
        CreateWindowExA(0, "Button", button.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, 80,
                        kButtonWidth, kButtonHeight, box,
                        reinterpret_cast<HMENU>(static_cast<LONG_PTR>(button.id)), nullptr,
                        nullptr);
        x += kButtonWidth + 8;
    }
    return box;
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    Desktop& desktop = Desktop::instance();
    const std::string title = caption != nullptr ? caption : "Error";
    const HWND box = createBox(owner, text != nullptr ? text : "", title.c_str(), type);
    if (box == nullptr) {
        return 0;
    }
    {
        Lock lock = lockDesktop();
        desktop.find(box)->procedure = boxProcedure;
        desktop.messageBoxes[box] =
            MessageBoxState{owner, title, text != nullptr ? text : "", type, {}};
        desktop.emit({emu::control::DesktopEvent::Kind::MessageBoxShown, box, 0, 0, title,
                      text != nullptr ? text : ""});
    }
    ShowWindow(box, SW_SHOW);
    runModalLoop([&] {
        const auto state = desktop.messageBoxes.find(box);
        return state == desktop.messageBoxes.end() || state->second.answer.has_value() ||
               desktop.find(box) == nullptr;
    });
    int result = 0;
    {
        Lock lock = lockDesktop();
        if (const auto state = desktop.messageBoxes.find(box);
            state != desktop.messageBoxes.end()) {
            result = state->second.answer.value_or(0);
            desktop.messageBoxes.erase(state);
        }
    }
    DestroyWindow(box);
    Lock lock = lockDesktop();
    desktop.emit({emu::control::DesktopEvent::Kind::MessageBoxClosed, box, 0, 0, title, ""});
    return result;
}

namespace emu::control {

std::vector<MessageBoxInfo> openMessageBoxes() {
    Lock lock = lockDesktop();
    std::vector<MessageBoxInfo> boxes;
    for (const auto& [box, state] : Desktop::instance().messageBoxes) {
        boxes.push_back({box, state.owner, state.title, state.text, state.type});
    }
    return boxes;
}

void answerMessageBox(HWND box, int button) {
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(MAKELONG(button, BN_CLICKED)), 0);
}

}  // namespace emu::control

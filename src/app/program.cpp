#include "app/program.h"

#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/shutdown.h"

namespace lornette {

namespace {

void enterExecutableFolder() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(std::min(folder.size(), folder.rfind('\\')));
    SetCurrentDirectoryA(folder.c_str());
}

void registerCleanUpOnce() {
    static const bool registered = std::atexit(cleanUpAtEnd) == 0;
    (void)registered;
}

}  // namespace

bool preTranslateMessage(const MSG& message) {
    const bool escape = message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
    const bool inMainWindow =
        message.hwnd == mainWindow || (mainWindow != nullptr && IsChild(mainWindow, message.hwnd));
    if (escape && inMainWindow) {
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

int runProgram(HINSTANCE instance) {
    enterExecutableFolder();
    trayIcon = std::make_unique<TrayIcon>();
    registerCleanUpOnce();
    createMainWindow(instance);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!preTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace lornette

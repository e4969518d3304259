// Window classes: the program's own, registered per process, and the system's predefined ones.
#include "platform/emu/desktop.h"
#include "platform/emu/system_classes.h"

using namespace emu::detail;

namespace emu::detail {

std::shared_ptr<WindowClass> findClass(Desktop& desktop, ProcessRecord& process,
                                       std::string_view name) {
    const std::string key = lowerAscii(name);
    if (const auto own = process.classes.find(key); own != process.classes.end()) {
        return own->second;
    }
    if (const auto system = desktop.systemClasses.find(key);
        system != desktop.systemClasses.end()) {
        return system->second;
    }
    return nullptr;
}

void registerSystemClass(Desktop& desktop, std::string name, WNDPROC procedure) {
    auto windowClass = std::make_shared<WindowClass>();
    windowClass->name = std::move(name);
    windowClass->procedure = procedure;
    desktop.systemClasses[lowerAscii(windowClass->name)] = windowClass;
}

}  // namespace emu::detail

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXA) ||
        windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr) {
        self.lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    const std::string key = lowerAscii(windowClass->lpszClassName);
    if (self.process->classes.contains(key)) {
        self.lastError = ERROR_CLASS_ALREADY_EXISTS;
        return 0;
    }
    auto registered = std::make_shared<WindowClass>();
    registered->name = windowClass->lpszClassName;
    registered->style = windowClass->style;
    registered->procedure = windowClass->lpfnWndProc;
    registered->instance = windowClass->hInstance;
    registered->icon = windowClass->hIcon;
    registered->smallIcon = windowClass->hIconSm;
    registered->background = windowClass->hbrBackground;
    self.process->classes[key] = registered;
    constexpr ATOM kFirstClassAtom = 0xC000;
    return static_cast<ATOM>(kFirstClassAtom + self.process->classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    Lock lock = lockDesktop();
    ThreadRecord& self = Desktop::instance().currentThread(lock);
    return className != nullptr && self.process->classes.erase(lowerAscii(className)) > 0;
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    Lock lock = lockDesktop();
    ThreadRecord& self = Desktop::instance().currentThread(lock);
    return moduleName == nullptr ? self.process->instance : nullptr;
}

// The program on the emulated desktop, with the desktop's user at the console.
#include <iostream>

#include "app/main_window.h"
#include "app/program.h"
#include "download/download_manager.h"
#include "platform/emu/console/desktop_console.h"

int main() {
    const emu::console::ProgramSetup setup{
        "C:\\Program Files\\Lornette\\lornette.exe",
        lornette::kMainWindowClassName,
        lornette::downloadManager::registryHive(),
        lornette::downloadManager::kRegistryKey,
        [] { return lornette::runProgram(GetModuleHandleA(nullptr)); },
    };
    return emu::console::runConsole(std::cin, std::cout, setup);
}

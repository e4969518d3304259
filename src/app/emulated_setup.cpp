#include "app/emulated_setup.h"

#include "app/main_window.h"
#include "app/program.h"
#include "download/download_manager.h"

namespace lornette {

emu::console::ProgramSetup emulatedProgramSetup() {
    return {
        kEmulatedImagePath,
        kMainWindowClassName,
        downloadManager::registryHive(),
        downloadManager::kRegistryKey,
        [] { return runProgram(GetModuleHandleA(nullptr)); },
    };
}

}  // namespace lornette

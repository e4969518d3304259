#include "app/shutdown.h"

#include "app/program_state.h"

namespace lornette {

void endProgram(int exitCode) {
    DestroyWindow(mainWindow);
    cleanUpAtEnd();
    ExitProcess(static_cast<UINT>(exitCode));
}

void cleanUpAtEnd() {
    downloaderPath.clear();
    downloaderPath.shrink_to_fit();
    trayIcon.reset();
}

}  // namespace lornette

#include "app/program_state.h"

namespace lornette {

std::string downloaderPath;
std::unique_ptr<TrayIcon> trayIcon;
HWND mainWindow = nullptr;
HWND resultList = nullptr;
HWND downloadButton = nullptr;

}  // namespace lornette

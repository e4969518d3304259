// Showing and hiding the main window, and the tray icon's events.
#pragma once

#include <cstdint>

namespace lornette {

// The answer to a close request: the window is hidden and stays; the answer is always no.
bool onMainWindowCanClose();
void toggleMainWindow();
void onTrayEvent(std::int32_t code);

}  // namespace lornette

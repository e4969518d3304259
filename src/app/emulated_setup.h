// How the desktop console runs this program on the emulated desktop.
#pragma once

#include "platform/emu/console/desktop_console.h"

namespace lornette {

inline constexpr const char* kEmulatedImagePath = "C:\\Program Files\\Lornette\\lornette.exe";

emu::console::ProgramSetup emulatedProgramSetup();

}  // namespace lornette

// The desktop console: a person, or a script, acts as the emulated desktop's user through
// standard input, one action per line, and reads what the desktop shows as it happens. It speaks
// UTF-8; inside the desktop every text is code page 936.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "platform/win32.h"

namespace emu::console {

// What the console needs to know of the program it runs.
struct ProgramSetup {
    std::string imagePath;        // where the executable lies on the desktop
    std::string mainWindowClass;  // the class of the program's main window
    HKEY registryHive = nullptr;  // the download manager's registry value the program reads
    std::string registryKey;
    std::function<int()> entry;  // the program, run on its process's main thread
};

// Runs the console until "quit" or the end of input; returns the console's exit status.
int runConsole(std::istream& in, std::ostream& out, const ProgramSetup& setup);

}  // namespace emu::console

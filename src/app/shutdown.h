// The end of the program.
#pragma once

namespace lornette {

// Takes the main window down, cleans up and ends the process with `exitCode`.
[[noreturn]] void endProgram(int exitCode);

// Frees what lives for the whole program: the download manager's path and the tray icon, which
// deletes the icon. Running it twice does no harm.
void cleanUpAtEnd();

}  // namespace lornette

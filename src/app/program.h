// The program from process start to its end.
#pragma once

#include "platform/win32.h"

namespace lornette {

// Process start: sets up, creates the hidden main window and runs the message loop. The program
// ends through endProgram; the loop's own end is only reached on a quit message.
int runProgram(HINSTANCE instance);

// The program's turn at a message before it is translated and dispatched; true when it has
// handled the message itself. Esc anywhere in the main window asks it to close.
bool preTranslateMessage(const MSG& message);

}  // namespace lornette

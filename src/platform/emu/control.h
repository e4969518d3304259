// The test-facing control of the emulated desktop. Tests and the desktop console use it to set
// the desktop up, to act as its user and to observe it; program code never includes it.
#pragma once

namespace emu::control {

// How many CoInitialize calls of the calling thread are not yet balanced by CoUninitialize.
int comInitialisationDepth();

}  // namespace emu::control

// The program on the emulated desktop, with the desktop's user at the console.
#include <iostream>

#include "app/emulated_setup.h"

int main() {
    return emu::console::runConsole(std::cin, std::cout, lornette::emulatedProgramSetup());
}

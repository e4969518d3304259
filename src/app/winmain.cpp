// The Windows entry point.
#include "app/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return lornette::runProgram(instance);
}

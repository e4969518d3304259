#include "platform/emu/com.h"

#include "platform/emu/control.h"

namespace {
// COM is initialised per thread and nests; only the depth is observable here.
thread_local int comDepth = 0;
}  // namespace

HRESULT CoInitialize(LPVOID) {
    return comDepth++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (comDepth > 0) {
        --comDepth;
    }
}

int emu::control::comInitialisationDepth() {
    return comDepth;
}

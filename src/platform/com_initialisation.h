// COM initialised on the calling thread for the owner's lifetime, nesting with any other
// initialisation of the thread and balanced when the owner goes.
#pragma once

#include "platform/win32.h"

namespace lornette {

class ComInitialisation {
  public:
    ComInitialisation() : initialised_(succeeded(CoInitialize(nullptr))) {}
    ~ComInitialisation() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComInitialisation(const ComInitialisation&) = delete;
    ComInitialisation& operator=(const ComInitialisation&) = delete;

  private:
    // S_FALSE: already initialised on this thread, which still needs balancing.
    static bool succeeded(HRESULT result) { return result == S_OK || result == S_FALSE; }

    bool initialised_;
};

}  // namespace lornette

// COM for the calling thread for as long as the owner lives.
#pragma once

#include "platform/win32.h"

namespace lornette {

class ComInitialisation {
  public:
    // Whether COM could be initialised does not matter here: creating an object then fails.
    ComInitialisation() { static_cast<void>(CoInitialize(nullptr)); }
    ComInitialisation(const ComInitialisation&) = delete;
    ComInitialisation& operator=(const ComInitialisation&) = delete;
    ~ComInitialisation() { CoUninitialize(); }
};

}  // namespace lornette

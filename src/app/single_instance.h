// Only one instance of the program runs at a time.
#pragma once

#include <string>

namespace lornette {

// Returns only when no other instance holds the named event.
void ensureSingleInstance(const std::string& eventName);

}  // namespace lornette

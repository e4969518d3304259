#include "app/single_instance.h"

namespace lornette {

// Not guarded yet: every start runs as the first instance.
void ensureSingleInstance(const std::string&) {}

}  // namespace lornette

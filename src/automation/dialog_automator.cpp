#include "automation/dialog_automator.h"

namespace lornette {

// The sweep over the download manager's dialogs is not built yet; the timer ticks idle.
void automationTick() {}

}  // namespace lornette

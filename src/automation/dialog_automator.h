// The download manager's dialogs, answered by synthetic input on every tick of the main
// window's timer.
#pragma once

namespace lornette {

void automationTick();

}  // namespace lornette

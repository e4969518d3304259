// Ids of the executable's resources, shared by the resource script and the code.
#pragma once

#define LORNETTE_APPLICATION_ICON 1

#include "download/download_launcher.h"

namespace lornette {

// The list commands and the hand-off to the download manager are not built yet; until then the
// menu and the button do nothing.
void showListMenu() {}
void tickAllRows() {}
void untickAllRows() {}
void downloadTickedRows() {}

}  // namespace lornette

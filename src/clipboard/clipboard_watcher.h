// Makes the main window a clipboard viewer that starts one link search per clipboard change.
#pragma once

namespace lornette::clipboardWatcher {

void install();
void uninstall();

}  // namespace lornette::clipboardWatcher

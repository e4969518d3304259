#include "clipboard/clipboard_watcher.h"

namespace lornette::clipboardWatcher {

// The clipboard is not watched yet: joining and leaving the viewer chain do nothing.
void install() {}
void uninstall() {}

}  // namespace lornette::clipboardWatcher

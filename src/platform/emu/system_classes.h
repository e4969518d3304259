// The desktop's predefined window classes and the class lookup shared with window creation.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/emu/desktop.h"

namespace emu::detail {

// The class a process means by `name`: its own registration first, then the system's.
std::shared_ptr<WindowClass> findClass(Desktop& desktop, ProcessRecord& process,
                                       std::string_view name);
void registerSystemClass(Desktop& desktop, std::string name, WNDPROC procedure);

// "#32770" (dialogs), "Button", "Static" and the list view.
void registerSystemClasses(Desktop& desktop);
void registerListViewClass(Desktop& desktop);

}  // namespace emu::detail

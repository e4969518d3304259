// The user's commands on the result list: its right-click menu and the download button.
#pragma once

namespace lornette {

void showListMenu();
void tickAllRows();
void untickAllRows();
void downloadTickedRows();

}  // namespace lornette

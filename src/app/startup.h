// The start-up work of the main window's creation handler.
#pragma once

#include <string>

namespace lornette {

inline constexpr const char* kSingleInstanceEventName = "741654987w4651321321a";
inline constexpr const char* kMarkerFileName = "ECX.CBA";

// Runs once when the main window and its controls exist, still hidden.
void onMainWindowCreated();

// The download manager's command path from the registry; empty when it cannot be read.
std::string readDownloaderPath();

// A task-modal box with the text, one OK button and the title "信息："; returns when dismissed.
void showNotice(const std::string& text);

// Where the first-run marker lies: in the documents folder, or in the current directory when that
// folder cannot be resolved.
std::string markerPath();

// Shows the first-run notice and creates the marker, unless the marker exists already.
void showFirstRunNotice();

}  // namespace lornette

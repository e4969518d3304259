// Every contact the program has with the download manager, gathered in one place: where it is
// installed, how it is started, and the dialogs of its that the program acts on.
#pragma once

#include "platform/win32.h"

namespace lornette::downloadManager {

// Install location: the default value of its COM local server's key, read once at start.
inline HKEY registryHive() {
    return HKEY_LOCAL_MACHINE;
}
inline constexpr const char* kRegistryKey =
    "SOFTWARE\\Classes\\WOW6432Node\\CLSID\\{AC746233-E9D3-49CD-862F-068F7B7CCCA4}"
    "\\LocalServer32";

// Command line: path, then kLinkSwitch, the link, kNameSwitch, the file name.
inline constexpr const char* kLinkSwitch = " /d \"";
inline constexpr const char* kNameSwitch = "\" /n /f ";

// Dialogs acted on by the automation timer.
inline constexpr const char* kDialogClass = "#32770";
inline constexpr const char* kDetailsButtonClass = "Button";
// Code page 936 text, so it lives in the source file that is compiled as such.
extern const char* const kDetailsButtonTitle;
inline constexpr const char* kManagerBoxTitle = "Internet Download Manager";
inline constexpr POINT kDetailsClickPoint{371, -14};
inline constexpr WPARAM kManagerBoxKey = VK_RETURN;
inline constexpr LPARAM kManagerBoxKeyFlags = 0;

}  // namespace lornette::downloadManager

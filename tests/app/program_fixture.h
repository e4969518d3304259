// Runs the real program on the emulated desktop and acts as its user.
#pragma once

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "app/emulated_setup.h"
#include "download/download_manager.h"
#include "support/cp936.h"
#include "support/emulated_desktop.h"

namespace test_support {

class ProgramTest : public EmulatedDesktopTest {
  protected:
    static constexpr std::chrono::milliseconds kSettleTimeout{5000};
    static constexpr const char* kDownloaderPath = "C:\\Program Files\\IDM\\IDMan.exe";

    // The download manager as installed: its registry value holds `value`.
    void registerDownloader(DWORD type, const std::string& value) {
        std::vector<std::uint8_t> bytes(value.begin(), value.end());
        bytes.push_back(0);
        registerDownloaderBytes(type, bytes);
    }
    void registerDownloaderBytes(DWORD type, const std::vector<std::uint8_t>& bytes) {
        emu::control::setRegistryValue(lornette::downloadManager::registryHive(),
                                       lornette::downloadManager::kRegistryKey, "", type, bytes);
    }
    static std::string documentsMarker() { return "C:\\Users\\User\\Documents\\ECX.CBA"; }

    void startProgram() {
        process = emu::control::launchProcess(lornette::kEmulatedImagePath,
                                              lornette::emulatedProgramSetup().entry);
        settle();
    }

    void settle() { ASSERT_TRUE(emu::control::waitUntilIdle(kSettleTimeout)); }

    // Dismisses every notice with OK as it comes and returns their texts in UTF-8, in order.
    std::vector<std::string> dismissNotices() {
        std::vector<std::string> texts;
        for (auto boxes = emu::control::openMessageBoxes(); !boxes.empty();
             boxes = emu::control::openMessageBoxes()) {
            EXPECT_EQ(utf8(boxes.front().title), "信息：");
            EXPECT_EQ(boxes.front().type, static_cast<UINT>(MB_OK | MB_TASKMODAL));
            EXPECT_EQ(boxes.front().owner, nullptr);
            texts.push_back(utf8(boxes.front().text));
            emu::control::answerMessageBox(boxes.front().window, IDOK);
            settle();
        }
        return texts;
    }

    // A start with the download manager installed and the marker in place: no notice at all.
    void startQuietly() {
        registerDownloader(REG_SZ, kDownloaderPath);
        touch(documentsMarker());
        startProgram();
        ASSERT_TRUE(dismissNotices().empty());
    }

    static void touch(const std::string& windowsPath) {
        std::ofstream file(emu::control::hostPath(windowsPath));
        ASSERT_TRUE(file.good());
    }

    HWND mainWindow() const {
        return FindWindowExA(nullptr, nullptr, "LornetteMainWindow", nullptr);
    }
    HWND resultList() const {
        return FindWindowExA(mainWindow(), nullptr, "SysListView32", nullptr);
    }

    emu::control::TrayIconInfo onlyTrayIcon() const {
        const auto icons = emu::control::trayIcons();
        EXPECT_EQ(icons.size(), 1u);
        return icons.empty() ? emu::control::TrayIconInfo{} : icons.front();
    }

    void clickTray(emu::control::TrayClick click) {
        const auto icon = onlyTrayIcon();
        emu::control::clickTrayIcon(icon.window, icon.id, click);
        settle();
    }

    bool running() const { return !emu::control::exitCode(process).has_value(); }

    DWORD process = 0;
};

}  // namespace test_support

// Emulated processes: their end, their exit code, and what goes with them.
#include <atomic>
#include <chrono>

#include "support/emulated_desktop.h"

namespace {

using namespace std::chrono_literals;
using test_support::EmulatedDesktopTest;

TEST_F(EmulatedDesktopTest, AProcessEndsWithTheCodeGivenToExitProcessOrReturnedByItsEntry) {
    const DWORD exiting = emu::control::launchProcess("C:\\a.exe", []() -> int { ExitProcess(7); });
    const DWORD returning = emu::control::launchProcess("C:\\b.exe", [] { return 3; });
    ASSERT_TRUE(emu::control::waitForExit(exiting, 5s));
    ASSERT_TRUE(emu::control::waitForExit(returning, 5s));
    EXPECT_EQ(emu::control::exitCode(exiting), 7u);
    EXPECT_EQ(emu::control::exitCode(returning), 3u);
}

TEST_F(EmulatedDesktopTest, AnEndedProcessLeavesNoWindowsAndItsBlockedThreadsStop) {
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> loopLeftNormally{false};
    const DWORD process = emu::control::launchProcess("C:\\c.exe", [&] {
        window = CreateWindowExA(0, "Static", "main", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0)) {
            DispatchMessageA(&message);
        }
        loopLeftNormally = true;
        return 0;
    });
    while (window.load() == nullptr) {
        Sleep(1);
    }
    EXPECT_FALSE(emu::control::exitCode(process).has_value());
    emu::control::terminateProcess(process, 9);
    ASSERT_TRUE(emu::control::waitForExit(process, 5s));
    EXPECT_EQ(emu::control::exitCode(process), 9u);
    EXPECT_FALSE(IsWindow(window));
    emu::control::reset();  // joins the process's thread
    EXPECT_FALSE(loopLeftNormally);
}

TEST_F(EmulatedDesktopTest, NamedEventsOfAnEndedProcessAreGone) {
    const DWORD process = emu::control::launchProcess("C:\\d.exe", []() -> int {
        CreateEventA(nullptr, FALSE, FALSE, "held");
        ExitProcess(0);
    });
    ASSERT_TRUE(emu::control::waitForExit(process, 5s));
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, "held"), nullptr);
}

}  // namespace

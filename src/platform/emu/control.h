// The test-facing control of the emulated desktop. Tests and the desktop console use it to set
// the desktop up, to act as its user and to observe it; program code never includes it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/emu/types.h"

namespace emu::control {

// Ends every process on the desktop, waits for their threads and starts over from an empty
// desktop with the default settings. The calling thread joins the fresh default process.
void reset();

void setScreenSize(int width, int height);

// The process that host threads join when they first call the API without having been started
// through the desktop (tests calling the API directly act as a thread of this process).
DWORD defaultProcessId();

// How many CoInitialize calls of the calling thread are not yet balanced by CoUninitialize.
int comInitialisationDepth();

// --- Processes -------------------------------------------------------------------------------

// Starts a process whose main thread runs `entry`; the process ends with the entry's result when
// the entry returns, or with the code given to ExitProcess.
DWORD launchProcess(const std::string& imagePath, std::function<int()> entry);
// The exit code once the process has ended.
std::optional<UINT> exitCode(DWORD processId);
// Waits until the process has ended, at most `timeout`; true when it has.
bool waitForExit(DWORD processId, std::chrono::milliseconds timeout);
// Ends a process from outside, as the task manager would.
void terminateProcess(DWORD processId, UINT exitCode);

// Another program on the desktop: a process with one GUI thread that runs a plain message loop.
class ForeignProgram {
public:
    explicit ForeignProgram(const std::string& imagePath);
    ~ForeignProgram();
    ForeignProgram(const ForeignProgram&) = delete;
    ForeignProgram& operator=(const ForeignProgram&) = delete;

    DWORD processId() const;
    DWORD threadId() const;
    // Runs `work` on the program's GUI thread and returns when it is done.
    void run(const std::function<void()>& work);
    // Lets the program's GUI thread handle every message that is waiting for it.
    void settle();
    // Creates a window on the program's GUI thread; a child when `parent` is given.
    HWND createWindow(const std::string& className, const std::string& title, DWORD style,
                      RECT rect, HWND parent = nullptr);

private:
    struct State;
    std::shared_ptr<State> state_;
};

// --- Observation -------------------------------------------------------------------------------

struct InjectedInput {
    DWORD flags = 0;   // MOUSEEVENTF_* as given to mouse_event
    POINT at{};        // cursor position in screen coordinates when it happened
    HWND target = nullptr;  // the window under the cursor that received it, if any
};

// Synthetic mouse input injected since the last reset, oldest first.
std::vector<InjectedInput> injectedInput();

// Windows passed to SetForegroundWindow since the last reset, oldest first.
std::vector<HWND> foregroundRequests();

struct RecordedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool posted = false;
};

// Records every message that reaches the window's procedure from now on.
void recordMessages(HWND window);
std::vector<RecordedMessage> recordedMessages(HWND window);

// Something the desktop's user would see happen.
struct DesktopEvent {
    enum class Kind { WindowShown, WindowHidden, ProcessEnded };
    Kind kind;
    HWND window = nullptr;
    DWORD processId = 0;
    UINT exitCode = 0;
};

// Takes the events that happened since the last call, waiting up to `timeout` for the first one.
std::vector<DesktopEvent> takeEvents(std::chrono::milliseconds timeout = std::chrono::milliseconds(0));

}  // namespace emu::control

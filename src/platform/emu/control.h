// The test-facing control of the emulated desktop. Tests and the desktop console use it to set
// the desktop up, to act as its user and to observe it; program code never includes it.
//
// Texts given to and read from the desktop are code page 936, like every text inside it.
#pragma once

#include <chrono>
#include <cstdint>
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

// Waits until every thread on the desktop waits for input with nothing left to handle (window
// timers aside), or until `timeout`; true when the desktop came to rest.
bool waitUntilIdle(std::chrono::milliseconds timeout);

// --- Text --------------------------------------------------------------------------------------

std::string utf8FromAnsi(std::string_view ansi);
std::string ansiFromUtf8(std::string_view utf8);

// --- Files, registry, environment
// ------------------------------------------------------------------

// The host folder under which the drives of the desktop lie: "C:\a\b" is <root>/C/a/b. After a
// reset it is a fresh temporary folder.
void setDriveRoot(const std::string& hostFolder);
std::string hostPath(const std::string& windowsPath);

// The current user's documents folder as a Windows path; none when it cannot be resolved. After a
// reset it is "C:\Users\User\Documents", which exists.
void setDocumentsFolder(std::optional<std::string> windowsPath);

void setRegistryValue(HKEY hive, const std::string& key, const std::string& valueName, DWORD type,
                      const std::vector<std::uint8_t>& data);
void removeRegistryKey(HKEY hive, const std::string& key);
void setEnvironmentVariable(const std::string& name, const std::string& value);

// --- Processes -------------------------------------------------------------------------------

// Starts a process whose main thread runs `entry`; the process ends with the entry's result when
// the entry returns, or with the code given to ExitProcess. The image's folder is created.
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

// --- The desktop's user -------------------------------------------------------------------------

enum class MouseButton { Left, Right };
// Moves the cursor to the point and clicks there, as the user does with the mouse.
void userClick(POINT at, MouseButton button = MouseButton::Left);
// Presses and releases a key on the focused window of the foreground window, with Alt held if
// asked (which makes it a system key).
void pressKey(UINT virtualKey, bool alt = false);
// The screen point of a window's close box.
POINT closeBoxPoint(HWND window);
// Chooses "Close" in the window's system menu.
void chooseSystemMenuClose(HWND window);
// Asks every top-level window whether the session may end, as Windows does before logging off;
// true when all of them agreed.
bool queryEndSession();
// The visible top-level windows that have a taskbar button.
std::vector<HWND> taskbarWindows();

// --- Notification area ---------------------------------------------------------------------------

struct TrayIconInfo {
    HWND window = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::string tip;
    POINT at{};  // where the icon is on the screen
};
std::vector<TrayIconInfo> trayIcons();

enum class TrayClick { Left, Right, Double };
// Clicks the icon with the mouse: the cursor moves onto it and the shell reports the mouse
// messages to the icon's window.
void clickTrayIcon(HWND window, UINT id, TrayClick click);
// Whether the shell accepts icons.
void setShellRunning(bool running);
// The shell restarts: every icon is gone, and "TaskbarCreated" goes to every top-level window.
void restartShell();

// --- Menus and message boxes ------------------------------------------------------------------

struct MenuInfo {
    std::vector<std::string> items;
    POINT at{};
    HWND owner = nullptr;
    UINT flags = 0;
};
// The popup menu being tracked, if any.
std::optional<MenuInfo> openMenu();
// Chooses the item with this text in the open menu; false when there is no such item.
bool chooseMenuItem(const std::string& text);
// Closes the open menu without a choice.
void dismissMenu();

struct MessageBoxInfo {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string title;
    std::string text;
    UINT type = 0;
};
std::vector<MessageBoxInfo> openMessageBoxes();
// Presses the box's button with this id (IDOK and so on).
void answerMessageBox(HWND box, int button);

// --- Controls -----------------------------------------------------------------------------------

struct ListColumn {
    std::string title;
    int width = 0;
    int format = 0;
};
struct ListRow {
    int stateImage = 0;
    std::vector<std::string> texts;  // one per column
};
struct ListViewInfo {
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    DWORD extendedStyle = 0;
    DWORD textColor = 0;
    DWORD textBackground = 0;
    DWORD background = 0;
};
std::optional<ListViewInfo> listView(HWND window);
// The screen point of a row's check box in a list view.
POINT checkBoxPoint(HWND listView, int row);
// The font a control was given.
HFONT windowFont(HWND window);

// --- Observation -------------------------------------------------------------------------------

struct InjectedInput {
    DWORD flags = 0;        // MOUSEEVENTF_* as given to mouse_event
    POINT at{};             // cursor position in screen coordinates when it happened
    HWND target = nullptr;  // the window under the cursor that received it, if any
};

// Synthetic mouse input injected by programs since the last reset, oldest first.
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
    enum class Kind {
        WindowShown,
        WindowHidden,
        ProcessEnded,
        MessageBoxShown,
        MessageBoxClosed,
        MenuOpened,
        MenuClosed,
        IconAdded,
        IconRemoved,
    };
    Kind kind;
    HWND window = nullptr;
    DWORD processId = 0;
    UINT exitCode = 0;
    std::string title;
    std::string text;
};

// Takes the events that happened since the last call, waiting up to `timeout` for the first one.
std::vector<DesktopEvent> takeEvents(
    std::chrono::milliseconds timeout = std::chrono::milliseconds(0));

}  // namespace emu::control

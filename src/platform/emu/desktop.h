// Inner state of the emulated desktop, shared by the files that implement its API.
//
// One mutex guards the whole desktop. Window procedures and other program callbacks always run
// with the mutex released, so they may call back into the API. One condition variable wakes every
// waiting thread whenever anything changes; each waiter re-checks what it waits for.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/emu/control.h"
#include "platform/emu/windows_api.h"

namespace emu::detail {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Lock = std::unique_lock<std::mutex>;

struct ProcessRecord;
struct ThreadRecord;

// Thrown on a thread whose process has ended, at the next point where the thread would block.
// The host thread's entry catches it; it unwinds program code like a stack that simply stops.
struct ProcessEnded {};

// --- Kernel objects -------------------------------------------------------------------------

struct KernelObject {
    virtual ~KernelObject() = default;
    // Whether a wait on the object would be satisfied now.
    virtual bool signalled(TimePoint now) const = 0;
    // Called when a wait was satisfied by this object (auto-reset objects reset here).
    virtual void acquire() {}
    // When the object becomes signalled by itself (timers), if it will.
    virtual std::optional<TimePoint> wakeTime() const { return std::nullopt; }
};

struct EventObject final : KernelObject {
    bool manualReset = false;
    bool state = false;
    std::string name;
    bool signalled(TimePoint) const override { return state; }
    void acquire() override {
        if (!manualReset) {
            state = false;
        }
    }
};

struct WaitableTimerObject final : KernelObject {
    bool manualReset = false;
    std::optional<TimePoint> due;
    std::chrono::milliseconds period{0};
    bool signalled(TimePoint now) const override { return due && now >= *due; }
    void acquire() override;
    std::optional<TimePoint> wakeTime() const override { return due; }
};

// Signalled once the thread or process it stands for has ended.
struct EndObject final : KernelObject {
    bool ended = false;
    bool signalled(TimePoint) const override { return ended; }
};

// --- Threads and processes -----------------------------------------------------------------

struct SentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // Work carried out on the receiving thread in place of a window procedure call.
    std::function<LRESULT()> action;
    LRESULT result = 0;
    bool done = false;
};

struct WindowTimer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    std::chrono::milliseconds interval{0};
    TimePoint due;
    TIMERPROC procedure = nullptr;
};

struct ThreadRecord : std::enable_shared_from_this<ThreadRecord> {
    DWORD id = 0;
    std::shared_ptr<ProcessRecord> process;
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> inbox;
    std::vector<WindowTimer> timers;
    bool quitPosted = false;
    int quitCode = 0;
    // QS_* kinds of message that arrived since the thread last looked at its queue.
    DWORD newMessages = 0;
    TimePoint lastQueueCheck;
    HWND focus = nullptr;
    DWORD lastError = 0;
    // Blocked waiting for input that only another thread or the user can bring.
    bool waitingForInput = false;
    // Started by the desktop, as opposed to a host thread that joined on its first call.
    bool managed = false;
    bool ended = false;
    std::shared_ptr<EndObject> endObject = std::make_shared<EndObject>();
};

struct ProcessRecord {
    DWORD id = 0;
    std::string imagePath;
    bool ended = false;
    UINT exitCode = 0;
    std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> handles;
    std::map<std::string, std::shared_ptr<struct WindowClass>> classes;  // by lower-case name
    std::shared_ptr<EndObject> endObject = std::make_shared<EndObject>();
    HINSTANCE instance = nullptr;
    std::string currentDirectory;
};

// --- Windows ---------------------------------------------------------------------------------

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = nullptr;
};

struct ListViewState {
    std::vector<control::ListColumn> columns;
    std::vector<control::ListRow> rows;
    DWORD extendedStyle = 0;
    DWORD textColor = 0;
    DWORD textBackground = 0xFFFFFF;
    DWORD background = 0xFFFFFF;
};

struct WindowRecord {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    std::shared_ptr<ThreadRecord> thread;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;       // for child windows
    HWND owner = nullptr;        // for owned top-level windows
    std::vector<HWND> children;  // Z order, top first
    RECT rect{};  // screen coordinates for top-level windows, parent-client ones for children
    WNDPROC procedure = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    std::vector<std::pair<std::string, HANDLE>> properties;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HFONT font = nullptr;
    bool destroying = false;
    bool recording = false;
    std::shared_ptr<ListViewState> listView;
};

// --- Shell, registry, menus and message boxes
// --------------------------------------------------------

struct RegistryValue {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
};

struct NotifyIcon {
    HWND window = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::string tip;
};

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    std::string text;
};

struct TrackedMenu {
    HMENU menu = nullptr;
    std::vector<MenuItem> items;
    POINT at{};
    HWND owner = nullptr;
    UINT flags = 0;
    std::optional<UINT_PTR> chosen;
    bool closed = false;
};

struct MessageBoxState {
    HWND owner = nullptr;
    std::string title;
    std::string text;
    UINT type = 0;
    std::optional<int> answer;
};

// --- The desktop ----------------------------------------------------------------------------

class Desktop {
  public:
    static Desktop& instance();

    std::mutex mutex;
    // Woken by every change of the desktop.
    std::condition_variable changed;
    // Woken when a thread settles into a wait for input, for those waiting for the desktop to
    // come to rest.
    std::condition_variable restChanged;

    // Tells every waiting thread that something changed. Until each has looked again, none of
    // them counts as waiting for input.
    void wake();

    TimePoint epoch = Clock::now();
    std::uint64_t generation = 1;
    int screenWidth = 1920;
    int screenHeight = 1080;
    POINT cursor{960, 540};
    HWND foreground = nullptr;

    std::unordered_map<HWND, WindowRecord> windows;
    std::vector<HWND> topLevel;                                         // Z order, top first
    std::map<std::string, std::shared_ptr<WindowClass>> systemClasses;  // by lower-case name
    std::map<std::string, UINT> registeredMessages;                     // by lower-case name
    std::map<std::string, std::weak_ptr<EventObject>> namedEvents;

    std::vector<std::shared_ptr<ProcessRecord>> processes;  // in creation order
    std::vector<std::shared_ptr<ThreadRecord>> threads;
    std::vector<std::thread> hostThreads;
    std::shared_ptr<ProcessRecord> defaultProcess;

    std::vector<control::InjectedInput> injectedInput;
    std::vector<HWND> foregroundRequests;
    std::map<HWND, std::vector<control::RecordedMessage>> recordedMessages;
    std::deque<control::DesktopEvent> events;

    std::string driveRoot;
    std::optional<std::string> documentsFolder;
    std::map<std::string, std::pair<std::string, std::string>> environment;  // by lower-case name
    std::map<std::string, std::map<std::string, RegistryValue>> registry;    // by lower-case path
    std::map<HKEY, std::string> openKeys;
    bool shellRunning = true;
    std::vector<NotifyIcon> trayIcons;
    std::map<HMENU, std::vector<MenuItem>> menus;
    std::shared_ptr<TrackedMenu> trackedMenu;
    std::map<HWND, MessageBoxState> messageBoxes;

    std::uintptr_t nextHandleValue = 0x10000;
    DWORD nextId = 1000;

    // Fresh values that are never reused during the life of the host process.
    HWND newWindowHandle();
    HANDLE newKernelHandle();
    DWORD newId();

    // The record of the calling host thread, attached to the default process on first use.
    ThreadRecord& currentThread(const Lock& lock);
    std::shared_ptr<ThreadRecord> currentThreadShared(const Lock& lock);

    WindowRecord* find(HWND window);
    // Records the events the console and the tests observe.
    void emit(control::DesktopEvent event);

    std::shared_ptr<ProcessRecord> newProcess(std::string imagePath);
    std::shared_ptr<ThreadRecord> newThread(const std::shared_ptr<ProcessRecord>& process);
    // Starts a host thread that runs `body` as the emulated thread `thread`.
    void startHostThread(const std::shared_ptr<ThreadRecord>& thread, std::function<void()> body);
    // Ends a process: its windows vanish without messages, its handles close, its threads stop at
    // their next blocking call.
    void endProcess(Lock& lock, ProcessRecord& process, UINT exitCode);
    void endThread(Lock& lock, ThreadRecord& thread);

    // Throws ProcessEnded when the calling thread's process has ended and the thread is not
    // already unwinding.
    void stopIfProcessEnded(const ThreadRecord& thread) const;

  private:
    Desktop();
    ~Desktop();
    // Ends every process and waits for the host threads.
    friend void stopEverything(Desktop& desktop);
};

void stopEverything(Desktop& desktop);

// Locks the desktop.
Lock lockDesktop();

std::string lowerAscii(std::string_view text);
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

// Handle table access for the calling thread's process.
HANDLE addHandle(Desktop& desktop, ProcessRecord& process, std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> findHandle(ProcessRecord& process, HANDLE handle);

// Window helpers, all with the desktop locked.
// The window's record; none, with the caller's last error set, when it is no window.
WindowRecord* findWindowOrFail(Desktop& desktop, ThreadRecord& self, HWND window);
bool isDescendant(Desktop& desktop, HWND ancestor, HWND window);
HWND topLevelAncestor(Desktop& desktop, HWND window);
bool isVisibleChain(Desktop& desktop, HWND window);
RECT clientRectOnScreen(Desktop& desktop, HWND window);
RECT windowRectOnScreen(Desktop& desktop, HWND window);
// Frame widths of a window of these styles: left/right border and top border plus caption.
struct Frame {
    int border = 0;
    int caption = 0;
};
Frame frameOf(DWORD style, DWORD exStyle);
std::vector<HWND>& siblingsOf(Desktop& desktop, WindowRecord& window);
void destroyWindowSilently(Desktop& desktop, HWND window);

// Message helpers.
// Calls a window procedure with the desktop unlocked, recording the message when asked to.
LRESULT callProcedure(Lock& lock, WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam);
// Runs `action` on the thread that owns `window` and returns its result; on the calling thread it
// runs at once, otherwise it waits like a sent message.
LRESULT runOnWindowThread(Lock& lock, HWND window, std::function<LRESULT()> action);
// Runs `action` on `target` (with the desktop unlocked there) and waits for its result.
LRESULT runOnThread(Lock& lock, const std::shared_ptr<ThreadRecord>& target,
                    std::function<LRESULT()> action);
// Carries out the sent messages waiting for the calling thread.
void processInbox(Lock& lock, ThreadRecord& self);
void postToThread(Desktop& desktop, ThreadRecord& thread, const MSG& message, DWORD kind);
void recordMessage(Desktop& desktop, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                   bool posted);
// Blocks until woken or until `until`, whichever first; throws when the process ends meanwhile.
// A wait for input is one that only other threads or the user can end (window timers aside).
enum class WaitKind { Busy, ForInput };
void waitForChange(Lock& lock, ThreadRecord& self, std::optional<TimePoint> until,
                   WaitKind kind = WaitKind::Busy);
// Pumps the calling thread's messages, as a modal loop does, until `finished` (checked with the
// desktop locked) says so. A quit message ends the loop and is put back for the outer loop.
void runModalLoop(const std::function<bool()>& finished);

// Where a Windows path lies on the host; relative paths start from the process's directory.
std::string toHostPath(Desktop& desktop, const ProcessRecord& process, std::string_view path);
// Resets the settings that live outside the window manager.
void resetDesktopSettings(Desktop& desktop);
// Removes the host folder the desktop made for its drives.
void removeDesktopFiles();
// The registry's name for a key: its hive and path, lower case.
std::string registryPath(HKEY hive, std::string_view key);
// Whether one of the thread's window timers fell due since the thread last looked at its queue.
bool timerBecameDue(const ThreadRecord& thread, TimePoint now);
// The earliest time after `now` at which one of the thread's window timers falls due.
std::optional<TimePoint> nextTimerAfter(const ThreadRecord& thread, TimePoint now);

// Show and hide with the desktop's bookkeeping (foreground, events); no messages are sent.
void setVisible(Desktop& desktop, WindowRecord& window, bool visible);
void activate(Desktop& desktop, HWND window);
void fixForegroundAfterHide(Desktop& desktop, HWND hidden);
void bringToTop(Desktop& desktop, HWND window);
// The deepest visible window under a screen point.
HWND windowAt(Desktop& desktop, POINT point);

}  // namespace emu::detail

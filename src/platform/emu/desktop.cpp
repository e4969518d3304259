#include "platform/emu/desktop.h"

#include "platform/emu/system_classes.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace emu::detail {
namespace {

// The emulated thread a host thread acts as, valid for one generation of the desktop. Plain
// values on purpose: they must stay readable while the host process exits, when handlers that
// the C runtime calls at exit may still reach the desktop.
thread_local std::uint64_t boundGeneration = 0;
thread_local ThreadRecord* boundThread = nullptr;

void bind(std::uint64_t generation, ThreadRecord* thread) {
    boundGeneration = generation;
    boundThread = thread;
}

constexpr const char* kDefaultImagePath = "C:\\Program Files\\Lornette\\lornette.exe";
constexpr std::uintptr_t kFirstInstance = 0x400000;

}  // namespace

Desktop& Desktop::instance() {
    static Desktop desktop;
    return desktop;
}

Desktop::Desktop() {
    registerSystemClasses(*this);
    defaultProcess = newProcess(kDefaultImagePath);
    resetDesktopSettings(*this);
}

Desktop::~Desktop() {
    stopEverything(*this);
    removeDesktopFiles();
}

void stopEverything(Desktop& desktop) {
    std::vector<std::thread> joinable;
    {
        Lock lock(desktop.mutex);
        for (const auto& process : desktop.processes) {
            desktop.endProcess(lock, *process, 0);
        }
        ++desktop.generation;
        joinable.swap(desktop.hostThreads);
        desktop.wake();
    }
    for (std::thread& thread : joinable) {
        if (thread.get_id() != std::this_thread::get_id()) {
            thread.join();
        } else {
            thread.detach();
        }
    }
}

void Desktop::wake() {
    for (const auto& thread : threads) {
        thread->waitingForInput = false;
    }
    changed.notify_all();
    restChanged.notify_all();
}

Lock lockDesktop() {
    return Lock(Desktop::instance().mutex);
}

HWND Desktop::newWindowHandle() {
    nextHandleValue += 4;
    return reinterpret_cast<HWND>(nextHandleValue);
}

HANDLE Desktop::newKernelHandle() {
    nextHandleValue += 4;
    return reinterpret_cast<HANDLE>(nextHandleValue);
}

DWORD Desktop::newId() {
    nextId += 4;
    return nextId;
}

std::shared_ptr<ThreadRecord> Desktop::currentThreadShared(const Lock&) {
    if (boundGeneration != generation || boundThread == nullptr) {
        bind(generation, newThread(defaultProcess).get());
    }
    // The desktop keeps every thread record of the current generation alive.
    return boundThread->shared_from_this();
}

ThreadRecord& Desktop::currentThread(const Lock& lock) {
    return *currentThreadShared(lock);
}

WindowRecord* Desktop::find(HWND window) {
    const auto found = windows.find(window);
    return found == windows.end() ? nullptr : &found->second;
}

void Desktop::emit(control::DesktopEvent event) {
    events.push_back(event);
    wake();
}

std::shared_ptr<ProcessRecord> Desktop::newProcess(std::string imagePath) {
    auto process = std::make_shared<ProcessRecord>();
    process->id = newId();
    process->imagePath = std::move(imagePath);
    process->instance = reinterpret_cast<HINSTANCE>(kFirstInstance);
    process->currentDirectory = "C:\\Users\\User";
    processes.push_back(process);
    return process;
}

std::shared_ptr<ThreadRecord> Desktop::newThread(const std::shared_ptr<ProcessRecord>& process) {
    auto thread = std::make_shared<ThreadRecord>();
    thread->id = newId();
    thread->process = process;
    thread->lastQueueCheck = Clock::now();
    threads.push_back(thread);
    return thread;
}

void Desktop::startHostThread(const std::shared_ptr<ThreadRecord>& thread,
                              std::function<void()> body) {
    const std::uint64_t startGeneration = generation;
    thread->managed = true;
    hostThreads.emplace_back([this, thread, startGeneration, body = std::move(body)] {
        bind(startGeneration, thread.get());
        try {
            body();
        } catch (const ProcessEnded&) {
            // The process ended under this thread; the thread simply stops.
        }
        Lock lock = lockDesktop();
        endThread(lock, *thread);
        bind(0, nullptr);
    });
}

void Desktop::endThread(Lock&, ThreadRecord& thread) {
    if (thread.ended) {
        return;
    }
    thread.ended = true;
    thread.endObject->ended = true;
    for (auto& sent : thread.inbox) {
        sent->done = true;
    }
    thread.inbox.clear();
    thread.posted.clear();
    thread.timers.clear();
    std::vector<HWND> owned;
    for (const auto& [handle, window] : windows) {
        if (window.thread.get() == &thread && window.parent == nullptr) {
            owned.push_back(handle);
        }
    }
    for (HWND window : owned) {
        destroyWindowSilently(*this, window);
    }
    wake();
}

void Desktop::endProcess(Lock& lock, ProcessRecord& process, UINT exitCode) {
    if (process.ended) {
        return;
    }
    process.ended = true;
    process.exitCode = exitCode;
    process.endObject->ended = true;
    process.handles.clear();
    for (const auto& thread : threads) {
        if (thread->process.get() == &process) {
            // Windows of the process vanish at once; the host threads stop at their next wait.
            std::vector<HWND> owned;
            for (const auto& [handle, window] : windows) {
                if (window.thread == thread && window.parent == nullptr) {
                    owned.push_back(handle);
                }
            }
            for (HWND window : owned) {
                destroyWindowSilently(*this, window);
            }
            for (auto& sent : thread->inbox) {
                sent->done = true;
            }
            thread->inbox.clear();
            thread->timers.clear();
        }
    }
    emit({control::DesktopEvent::Kind::ProcessEnded, nullptr, process.id, exitCode, "", ""});
    (void)lock;
}

void Desktop::stopIfProcessEnded(const ThreadRecord& thread) const {
    if (thread.process->ended && std::uncaught_exceptions() == 0) {
        throw ProcessEnded{};
    }
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && lowerAscii(a) == lowerAscii(b);
}

HANDLE addHandle(Desktop& desktop, ProcessRecord& process, std::shared_ptr<KernelObject> object) {
    const HANDLE handle = desktop.newKernelHandle();
    process.handles.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> findHandle(ProcessRecord& process, HANDLE handle) {
    const auto found = process.handles.find(handle);
    return found == process.handles.end() ? nullptr : found->second;
}

}  // namespace emu::detail

namespace emu::control {

using namespace emu::detail;

void reset() {
    Desktop& desktop = Desktop::instance();
    stopEverything(desktop);
    Lock lock = lockDesktop();
    desktop.windows.clear();
    desktop.topLevel.clear();
    desktop.registeredMessages.clear();
    desktop.namedEvents.clear();
    desktop.processes.clear();
    desktop.threads.clear();
    desktop.injectedInput.clear();
    desktop.foregroundRequests.clear();
    desktop.recordedMessages.clear();
    desktop.events.clear();
    desktop.foreground = nullptr;
    desktop.screenWidth = 1920;
    desktop.screenHeight = 1080;
    desktop.cursor = {960, 540};
    desktop.defaultProcess = desktop.newProcess(kDefaultImagePath);
    resetDesktopSettings(desktop);
}

void setScreenSize(int width, int height) {
    Lock lock = lockDesktop();
    Desktop::instance().screenWidth = width;
    Desktop::instance().screenHeight = height;
}

DWORD defaultProcessId() {
    Lock lock = lockDesktop();
    return Desktop::instance().defaultProcess->id;
}

std::vector<DesktopEvent> takeEvents(std::chrono::milliseconds timeout) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    desktop.changed.wait_for(lock, timeout, [&] { return !desktop.events.empty(); });
    std::vector<DesktopEvent> taken(desktop.events.begin(), desktop.events.end());
    desktop.events.clear();
    return taken;
}

}  // namespace emu::control

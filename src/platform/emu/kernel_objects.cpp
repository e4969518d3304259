// Handles, threads, processes, time and waits.
#include <algorithm>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace emu::detail {

void WaitableTimerObject::acquire() {
    if (manualReset) {
        return;
    }
    if (period.count() > 0 && due) {
        *due += period;
    } else {
        due.reset();
    }
}

void waitForChange(Lock& lock, ThreadRecord& self, std::optional<TimePoint> until, WaitKind kind) {
    Desktop& desktop = Desktop::instance();
    desktop.stopIfProcessEnded(self);
    self.waitingForInput = kind == WaitKind::ForInput;
    if (self.waitingForInput) {
        desktop.restChanged.notify_all();
    }
    if (until) {
        desktop.changed.wait_until(lock, *until);
    } else {
        desktop.changed.wait(lock);
    }
    self.waitingForInput = false;
    desktop.stopIfProcessEnded(self);
}

}  // namespace emu::detail

namespace {

std::optional<TimePoint> deadlineAfter(DWORD milliseconds) {
    if (milliseconds == INFINITE) {
        return std::nullopt;
    }
    return Clock::now() + std::chrono::milliseconds(milliseconds);
}

std::optional<TimePoint> earlier(std::optional<TimePoint> a, std::optional<TimePoint> b) {
    if (!a) {
        return b;
    }
    if (!b) {
        return a;
    }
    return std::min(*a, *b);
}

}  // namespace

DWORD GetLastError() {
    Lock lock = lockDesktop();
    return Desktop::instance().currentThread(lock).lastError;
}

void SetLastError(DWORD error) {
    Lock lock = lockDesktop();
    Desktop::instance().currentThread(lock).lastError = error;
}

BOOL CloseHandle(HANDLE handle) {
    Lock lock = lockDesktop();
    ThreadRecord& self = Desktop::instance().currentThread(lock);
    if (self.process->handles.erase(handle) == 0) {
        self.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    return TRUE;
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, std::size_t, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD, LPDWORD threadId) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    if (self.process->ended || start == nullptr) {
        self.lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    auto thread = desktop.newThread(self.process);
    const HANDLE handle = addHandle(desktop, *self.process, thread->endObject);
    if (threadId != nullptr) {
        *threadId = thread->id;
    }
    desktop.startHostThread(thread, [start, parameter] { start(parameter); });
    return handle;
}

DWORD GetCurrentThreadId() {
    Lock lock = lockDesktop();
    return Desktop::instance().currentThread(lock).id;
}

DWORD GetCurrentProcessId() {
    Lock lock = lockDesktop();
    return Desktop::instance().currentThread(lock).process->id;
}

void ExitProcess(UINT exitCode) {
    {
        Desktop& desktop = Desktop::instance();
        Lock lock = lockDesktop();
        desktop.endProcess(lock, *desktop.currentThread(lock).process, exitCode);
    }
    throw ProcessEnded{};
}

DWORD GetTickCount() {
    // Like the real tick count, it does not start at zero.
    constexpr std::int64_t kTicksAtStart = 10'000'000;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        Clock::now() - Desktop::instance().epoch);
    return static_cast<DWORD>(kTicksAtStart + elapsed.count());
}

void Sleep(DWORD milliseconds) {
    Lock lock = lockDesktop();
    ThreadRecord& self = Desktop::instance().currentThread(lock);
    const auto deadline = deadlineAfter(milliseconds);
    while (!deadline || Clock::now() < *deadline) {
        waitForChange(lock, self, deadline);
    }
}

HANDLE CreateWaitableTimerA(LPSECURITY_ATTRIBUTES, BOOL manualReset, LPCSTR) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    auto timer = std::make_shared<WaitableTimerObject>();
    timer->manualReset = manualReset != FALSE;
    return addHandle(desktop, *desktop.currentThread(lock).process, timer);
}

BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period, PTIMERAPCROUTINE,
                      LPVOID, BOOL) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    auto object = std::dynamic_pointer_cast<WaitableTimerObject>(findHandle(*self.process, timer));
    if (!object || dueTime == nullptr) {
        self.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    // Negative due times are relative, in units of 100 ns. Absolute times are not used by the
    // program; they count as due at once.
    const std::int64_t relative = dueTime->QuadPart < 0 ? -dueTime->QuadPart : 0;
    object->due = Clock::now() + std::chrono::microseconds(relative / 10);
    object->period = std::chrono::milliseconds(std::max<LONG>(period, 0));
    desktop.wake();
    return TRUE;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const std::string eventName = name != nullptr ? name : "";
    if (!eventName.empty()) {
        if (auto existing = desktop.namedEvents[eventName].lock()) {
            self.lastError = ERROR_ALREADY_EXISTS;
            return addHandle(desktop, *self.process, existing);
        }
    }
    auto event = std::make_shared<EventObject>();
    event->manualReset = manualReset != FALSE;
    event->state = initialState != FALSE;
    event->name = eventName;
    if (!eventName.empty()) {
        desktop.namedEvents[eventName] = event;
    }
    self.lastError = ERROR_SUCCESS;
    return addHandle(desktop, *self.process, event);
}

HANDLE OpenEventA(DWORD, BOOL, LPCSTR name) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const auto found = name != nullptr ? desktop.namedEvents.find(name) : desktop.namedEvents.end();
    std::shared_ptr<EventObject> event;
    if (found != desktop.namedEvents.end()) {
        event = found->second.lock();
    }
    if (!event) {
        self.lastError = ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    return addHandle(desktop, *self.process, event);
}

namespace {

BOOL setEventState(HANDLE handle, bool state) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    auto event = std::dynamic_pointer_cast<EventObject>(findHandle(*self.process, handle));
    if (!event) {
        self.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    event->state = state;
    desktop.wake();
    return TRUE;
}

}  // namespace

BOOL SetEvent(HANDLE event) {
    return setEventState(event, true);
}

BOOL ResetEvent(HANDLE event) {
    return setEventState(event, false);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return MsgWaitForMultipleObjects(1, &handle, FALSE, milliseconds, 0);
}

// Waits for one of the objects or, with a wake mask, for messages that arrived since the thread
// last looked at its queue.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL, DWORD milliseconds,
                                DWORD wakeMask) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    std::vector<std::shared_ptr<KernelObject>> objects;
    for (DWORD i = 0; i < count; ++i) {
        auto object = findHandle(*self.process, handles[i]);
        if (!object) {
            self.lastError = ERROR_INVALID_HANDLE;
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }
    const auto deadline = deadlineAfter(milliseconds);
    for (;;) {
        const TimePoint now = Clock::now();
        for (DWORD i = 0; i < count; ++i) {
            if (objects[i]->signalled(now)) {
                objects[i]->acquire();
                return WAIT_OBJECT_0 + i;
            }
        }
        if (wakeMask != 0) {
            DWORD arrived = self.newMessages;
            if (timerBecameDue(self, now)) {
                arrived |= QS_TIMER;
            }
            if ((arrived & wakeMask) != 0) {
                return WAIT_OBJECT_0 + count;
            }
        }
        if (deadline && now >= *deadline) {
            return WAIT_TIMEOUT;
        }
        std::optional<TimePoint> wake = deadline;
        bool objectsWillWake = false;
        for (const auto& object : objects) {
            objectsWillWake = objectsWillWake || object->wakeTime().has_value();
            wake = earlier(wake, object->wakeTime());
        }
        if ((wakeMask & QS_TIMER) != 0) {
            wake = earlier(wake, nextTimerAfter(self, now));
        }
        const bool forInput = wakeMask != 0 && !objectsWillWake && !deadline;
        waitForChange(lock, self, wake, forInput ? WaitKind::ForInput : WaitKind::Busy);
    }
}

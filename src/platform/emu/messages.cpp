// Messages: sent and posted messages, the queues and their retrieval, window timers and
// registered messages.
#include <algorithm>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace emu::detail {

namespace {

// Releases the desktop for the life of the scope and takes it back afterwards, also when a
// program callback unwinds.
class Unlocked {
  public:
    explicit Unlocked(Lock& lock) : lock_(lock) { lock_.unlock(); }
    ~Unlocked() { lock_.lock(); }
    Unlocked(const Unlocked&) = delete;
    Unlocked& operator=(const Unlocked&) = delete;

  private:
    Lock& lock_;
};

// Marks a sent message answered when the receiver leaves it, whichever way it leaves.
class AnswerOnExit {
  public:
    explicit AnswerOnExit(std::shared_ptr<SentMessage> sent) : sent_(std::move(sent)) {}
    ~AnswerOnExit() {
        sent_->done = true;
        Desktop::instance().wake();
    }
    AnswerOnExit(const AnswerOnExit&) = delete;
    AnswerOnExit& operator=(const AnswerOnExit&) = delete;

  private:
    std::shared_ptr<SentMessage> sent_;
};

}  // namespace

void recordMessage(Desktop& desktop, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                   bool posted) {
    const WindowRecord* record = desktop.find(window);
    if (record != nullptr && record->recording) {
        desktop.recordedMessages[window].push_back({message, wParam, lParam, posted});
    }
}

LRESULT callProcedure(Lock& lock, WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam) {
    if (procedure == nullptr) {
        return 0;
    }
    recordMessage(Desktop::instance(), window, message, wParam, lParam, false);
    Unlocked unlocked(lock);
    return procedure(window, message, wParam, lParam);
}

void processInbox(Lock& lock, ThreadRecord& self) {
    Desktop& desktop = Desktop::instance();
    while (!self.inbox.empty()) {
        const std::shared_ptr<SentMessage> sent = self.inbox.front();
        self.inbox.pop_front();
        AnswerOnExit answer(sent);
        if (sent->action) {
            Unlocked unlocked(lock);
            sent->result = sent->action();
        } else if (const WindowRecord* record = desktop.find(sent->window)) {
            sent->result = callProcedure(lock, record->procedure, sent->window, sent->message,
                                         sent->wParam, sent->lParam);
        }
    }
}

namespace {

// Hands the message to the thread that owns the window and waits for the answer, carrying out
// messages sent to the waiting thread meanwhile, as the real system does to avoid deadlocks.
LRESULT sendAcrossThreads(Lock& lock, ThreadRecord& self, ThreadRecord& target,
                          std::shared_ptr<SentMessage> sent) {
    Desktop& desktop = Desktop::instance();
    target.inbox.push_back(sent);
    target.newMessages |= QS_SENDMESSAGE;
    desktop.wake();
    while (!sent->done) {
        if (!self.inbox.empty()) {
            processInbox(lock, self);
            continue;
        }
        if (target.ended || target.process->ended) {
            break;
        }
        waitForChange(lock, self, std::nullopt);
    }
    return sent->result;
}

}  // namespace

LRESULT runOnThread(Lock& lock, const std::shared_ptr<ThreadRecord>& target,
                    std::function<LRESULT()> action) {
    ThreadRecord& self = Desktop::instance().currentThread(lock);
    if (target.get() == &self) {
        Unlocked unlocked(lock);
        return action();
    }
    auto sent = std::make_shared<SentMessage>();
    sent->action = std::move(action);
    return sendAcrossThreads(lock, self, *target, std::move(sent));
}

LRESULT runOnWindowThread(Lock& lock, HWND window, std::function<LRESULT()> action) {
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return 0;
    }
    const std::shared_ptr<ThreadRecord> target = record->thread;
    return runOnThread(lock, target, std::move(action));
}

void postToThread(Desktop& desktop, ThreadRecord& thread, const MSG& message, DWORD kind) {
    thread.posted.push_back(message);
    thread.newMessages |= kind;
    desktop.wake();
}

bool timerBecameDue(const ThreadRecord& thread, TimePoint now) {
    return std::any_of(thread.timers.begin(), thread.timers.end(), [&](const WindowTimer& timer) {
        return timer.due <= now && timer.due > thread.lastQueueCheck;
    });
}

std::optional<TimePoint> nextTimerAfter(const ThreadRecord& thread, TimePoint now) {
    std::optional<TimePoint> next;
    for (const WindowTimer& timer : thread.timers) {
        if (timer.due > now && (!next || timer.due < *next)) {
            next = timer.due;
        }
    }
    return next;
}

}  // namespace emu::detail

LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const WindowRecord* record = findWindowOrFail(desktop, self, window);
    if (record == nullptr) {
        return 0;
    }
    if (record->thread.get() == &self) {
        return callProcedure(lock, record->procedure, window, message, wParam, lParam);
    }
    const std::shared_ptr<ThreadRecord> target = record->thread;
    auto sent = std::make_shared<SentMessage>();
    sent->window = window;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    return sendAcrossThreads(lock, self, *target, std::move(sent));
}

namespace {

MSG makeMessage(Desktop& desktop, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message, wParam, lParam, GetTickCount(), desktop.cursor};
}

}  // namespace

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    if (window == nullptr) {
        postToThread(desktop, self, makeMessage(desktop, nullptr, message, wParam, lParam),
                     QS_POSTMESSAGE);
        return TRUE;
    }
    const WindowRecord* record = findWindowOrFail(desktop, self, window);
    if (record == nullptr) {
        return FALSE;
    }
    ThreadRecord& target = *record->thread;
    if (target.ended || target.process->ended) {
        return FALSE;
    }
    postToThread(desktop, target, makeMessage(desktop, window, message, wParam, lParam),
                 QS_POSTMESSAGE);
    return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    for (const auto& thread : desktop.threads) {
        if (thread->id == threadId && !thread->ended && !thread->process->ended) {
            postToThread(desktop, *thread, makeMessage(desktop, nullptr, message, wParam, lParam),
                         QS_POSTMESSAGE);
            return TRUE;
        }
    }
    return FALSE;
}

void PostQuitMessage(int exitCode) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    self.quitPosted = true;
    self.quitCode = exitCode;
    self.newMessages |= QS_POSTMESSAGE;
    desktop.wake();
}

namespace {

struct Filter {
    HWND window = nullptr;
    UINT first = 0;
    UINT last = 0;

    bool accepts(Desktop& desktop, HWND target, UINT message) const {
        const bool inRange = (first == 0 && last == 0) || (message >= first && message <= last);
        const bool forWindow =
            window == nullptr || target == window || isDescendant(desktop, window, target);
        return inRange && forWindow;
    }
};

// Looks at the queue the way the real system does: sent messages are carried out first, then
// posted messages, then the quit request, then timers that fell due.
bool takeMessage(Lock& lock, ThreadRecord& self, MSG& out, const Filter& filter, bool remove) {
    Desktop& desktop = Desktop::instance();
    processInbox(lock, self);
    const TimePoint now = Clock::now();
    self.newMessages = 0;
    self.lastQueueCheck = now;

    for (auto it = self.posted.begin(); it != self.posted.end(); ++it) {
        if (filter.accepts(desktop, it->hwnd, it->message)) {
            out = *it;
            if (remove) {
                self.posted.erase(it);
            }
            return true;
        }
    }
    if (self.quitPosted && filter.accepts(desktop, nullptr, WM_QUIT)) {
        out = makeMessage(desktop, nullptr, WM_QUIT, static_cast<WPARAM>(self.quitCode), 0);
        if (remove) {
            self.quitPosted = false;
        }
        return true;
    }
    WindowTimer* due = nullptr;
    for (WindowTimer& timer : self.timers) {
        if (timer.due <= now && filter.accepts(desktop, timer.window, WM_TIMER) &&
            (due == nullptr || timer.due < due->due)) {
            due = &timer;
        }
    }
    if (due != nullptr) {
        out = makeMessage(desktop, due->window, WM_TIMER, due->id,
                          reinterpret_cast<LPARAM>(due->procedure));
        if (remove) {
            due->due = now + due->interval;
        }
        return true;
    }
    return false;
}

}  // namespace

BOOL GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const Filter filter{window, filterMin, filterMax};
    for (;;) {
        desktop.stopIfProcessEnded(self);
        if (takeMessage(lock, self, *message, filter, true)) {
            return message->message == WM_QUIT ? FALSE : TRUE;
        }
        waitForChange(lock, self, nextTimerAfter(self, Clock::now()), WaitKind::ForInput);
    }
}

BOOL PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const Filter filter{window, filterMin, filterMax};
    return takeMessage(lock, self, *message, filter, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    for (;;) {
        const TimePoint now = Clock::now();
        if (self.newMessages != 0 || !self.inbox.empty() || timerBecameDue(self, now)) {
            return TRUE;
        }
        waitForChange(lock, self, nextTimerAfter(self, now), WaitKind::ForInput);
    }
}

namespace emu::detail {

void runModalLoop(const std::function<bool()>& finished) {
    Desktop& desktop = Desktop::instance();
    for (;;) {
        MSG message{};
        {
            Lock lock = lockDesktop();
            ThreadRecord& self = desktop.currentThread(lock);
            while (!finished() && !takeMessage(lock, self, message, Filter{}, true)) {
                waitForChange(lock, self, nextTimerAfter(self, Clock::now()), WaitKind::ForInput);
            }
            if (finished()) {
                return;
            }
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace emu::detail

namespace {

// The character a key-down produces, for the keys that produce one.
std::optional<char> characterOfKey(WPARAM key) {
    if (key == VK_RETURN || key == VK_ESCAPE || key == 0x08 || key == 0x09 || key == 0x20 ||
        (key >= '0' && key <= '9')) {
        return static_cast<char>(key);
    }
    if (key >= 'A' && key <= 'Z') {
        return static_cast<char>(key - 'A' + 'a');
    }
    return std::nullopt;
}

}  // namespace

BOOL TranslateMessage(const MSG* message) {
    if (message == nullptr ||
        (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN)) {
        return FALSE;
    }
    const auto character = characterOfKey(message->wParam);
    if (!character || message->message != WM_KEYDOWN) {
        return TRUE;
    }
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    MSG translated = *message;
    translated.message = WM_CHAR;
    translated.wParam = static_cast<WPARAM>(static_cast<unsigned char>(*character));
    self.posted.push_front(translated);
    self.newMessages |= QS_POSTMESSAGE;
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* message) {
    if (message == nullptr) {
        return 0;
    }
    if (message->message == WM_TIMER && message->lParam != 0) {
        reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam,
                                                     GetTickCount());
        return 0;
    }
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    const WindowRecord* record = desktop.find(message->hwnd);
    if (record == nullptr || record->thread.get() != &self) {
        return 0;
    }
    const WNDPROC procedure = record->procedure;
    recordMessage(desktop, message->hwnd, message->message, message->wParam, message->lParam, true);
    lock.unlock();
    return procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    if (window != nullptr) {
        const WindowRecord* record = desktop.find(window);
        if (record == nullptr || record->thread.get() != &self) {
            self.lastError = ERROR_INVALID_WINDOW_HANDLE;
            return 0;
        }
    } else {
        constexpr UINT_PTR kFirstThreadTimer = 0x7FFF;
        id = kFirstThreadTimer + self.timers.size();
    }
    constexpr UINT kMinimumElapse = 10;
    const auto interval = std::chrono::milliseconds(std::max(elapse, kMinimumElapse));
    std::erase_if(self.timers,
                  [&](const WindowTimer& t) { return t.window == window && t.id == id; });
    self.timers.push_back({window, id, interval, Clock::now() + interval, timerProc});
    desktop.wake();
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    Lock lock = lockDesktop();
    ThreadRecord& self = Desktop::instance().currentThread(lock);
    const auto removed = std::erase_if(
        self.timers, [&](const WindowTimer& t) { return t.window == window && t.id == id; });
    return removed > 0 ? TRUE : FALSE;
}

UINT RegisterWindowMessageA(LPCSTR name) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (name == nullptr || *name == '\0') {
        return 0;
    }
    constexpr UINT kFirstRegisteredMessage = 0xC000;
    const auto [entry, inserted] = desktop.registeredMessages.try_emplace(
        lowerAscii(name),
        kFirstRegisteredMessage + static_cast<UINT>(desktop.registeredMessages.size()));
    return entry->second;
}

// The test-facing control of the emulated desktop: processes and observation.
#include "platform/emu/control.h"

#include "platform/emu/desktop.h"

#include <filesystem>

using namespace emu::detail;

namespace emu::control {

namespace {

std::shared_ptr<ProcessRecord> findProcess(Desktop& desktop, DWORD processId) {
    for (const auto& process : desktop.processes) {
        if (process->id == processId) {
            return process;
        }
    }
    return nullptr;
}

}  // namespace

DWORD launchProcess(const std::string& imagePath, std::function<int()> entry) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    auto process = desktop.newProcess(imagePath);
    std::error_code ignored;
    std::filesystem::create_directories(
        std::filesystem::path(toHostPath(desktop, *process, imagePath)).parent_path(), ignored);
    auto mainThread = desktop.newThread(process);
    desktop.startHostThread(mainThread, [entry = std::move(entry)] {
        const int code = entry();
        ExitProcess(static_cast<UINT>(code));
    });
    return process->id;
}

std::optional<UINT> exitCode(DWORD processId) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto process = findProcess(desktop, processId);
    if (!process || !process->ended) {
        return std::nullopt;
    }
    return process->exitCode;
}

bool waitForExit(DWORD processId, std::chrono::milliseconds timeout) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto process = findProcess(desktop, processId);
    return process && desktop.changed.wait_for(lock, timeout, [&] { return process->ended; });
}

void terminateProcess(DWORD processId, UINT code) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (const auto process = findProcess(desktop, processId)) {
        desktop.endProcess(lock, *process, code);
    }
}

std::vector<InjectedInput> injectedInput() {
    Lock lock = lockDesktop();
    return Desktop::instance().injectedInput;
}

std::vector<HWND> foregroundRequests() {
    Lock lock = lockDesktop();
    return Desktop::instance().foregroundRequests;
}

void recordMessages(HWND window) {
    Lock lock = lockDesktop();
    if (WindowRecord* record = Desktop::instance().find(window)) {
        record->recording = true;
    }
}

std::vector<RecordedMessage> recordedMessages(HWND window) {
    Lock lock = lockDesktop();
    return Desktop::instance().recordedMessages[window];
}

// --- Foreign programs ---------------------------------------------------------------------------

struct ForeignProgram::State {
    std::shared_ptr<ProcessRecord> process;
    std::shared_ptr<ThreadRecord> thread;
};

ForeignProgram::ForeignProgram(const std::string& imagePath) : state_(std::make_shared<State>()) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    state_->process = desktop.newProcess(imagePath);
    state_->thread = desktop.newThread(state_->process);
    desktop.startHostThread(state_->thread, [] {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
}

ForeignProgram::~ForeignProgram() {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    desktop.endProcess(lock, *state_->process, 0);
}

DWORD ForeignProgram::processId() const {
    return state_->process->id;
}

DWORD ForeignProgram::threadId() const {
    return state_->thread->id;
}

void ForeignProgram::run(const std::function<void()>& work) {
    Lock lock = lockDesktop();
    runOnThread(lock, state_->thread, [&work]() -> LRESULT {
        work();
        return 0;
    });
}

void ForeignProgram::settle() {
    run([] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
}

HWND ForeignProgram::createWindow(const std::string& className, const std::string& title,
                                  DWORD style, RECT rect, HWND parent) {
    HWND created = nullptr;
    run([&] {
        created = CreateWindowExA(0, className.c_str(), title.c_str(), style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                  nullptr, nullptr);
    });
    return created;
}

}  // namespace emu::control

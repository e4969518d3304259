// Messages across threads, queues, window timers and the waits that wake for messages.
#include <array>
#include <atomic>
#include <chrono>
#include <vector>

#include "support/emulated_desktop.h"

namespace {

using test_support::createTopLevel;
using test_support::EmulatedDesktopTest;
using test_support::registerClass;

constexpr UINT kAsk = WM_USER + 10;
constexpr UINT kNote = WM_USER + 11;

// The thread that answered the question asked with each wParam.
std::array<std::atomic<DWORD>, 32> askedOn;
std::atomic<int> notesHandled{0};

LRESULT CALLBACK answering(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAsk) {
        askedOn.at(wParam) = GetCurrentThreadId();
        return static_cast<LRESULT>(wParam) * 2;
    }
    if (message == kNote) {
        ++notesHandled;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class MessagesTest : public EmulatedDesktopTest {
  protected:
    void SetUp() override {
        EmulatedDesktopTest::SetUp();
        for (auto& thread : askedOn) {
            thread = 0;
        }
        notesHandled = 0;
        registerClass("Answering", answering);
        window = createTopLevel("Answering", "a");
        ASSERT_NE(window, nullptr);
    }

    // Runs `body` on a new thread of the calling process.
    template <typename Body>
    HANDLE startThread(Body* body, DWORD* threadId = nullptr) {
        return CreateThread(
            nullptr, 0,
            [](LPVOID parameter) -> DWORD {
                (*static_cast<Body*>(parameter))();
                return 0;
            },
            body, 0, threadId);
    }

    HWND window = nullptr;
};

TEST_F(MessagesTest, ASendFromAnotherThreadRunsOnTheOwnerWhenItTakesMessagesWhileTheSenderWaits) {
    const HANDLE asking = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<LRESULT> answer{-1};
    auto sender = [&] {
        SetEvent(asking);
        answer = SendMessageA(window, kAsk, 21, 0);
    };
    const HANDLE thread = startThread(&sender);
    ASSERT_EQ(WaitForSingleObject(asking, 5000), WAIT_OBJECT_0);
    Sleep(50);
    EXPECT_EQ(askedOn[21].load(), 0u) << "carried out before the owner took messages";
    EXPECT_EQ(answer.load(), -1);

    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        << "a sent message is not posted";
    EXPECT_EQ(askedOn[21].load(), GetCurrentThreadId());
    ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(answer.load(), 42);
    CloseHandle(thread);
    CloseHandle(asking);
}

TEST_F(MessagesTest, AThreadWaitingForItsOwnSendCarriesOutMessagesSentToIt) {
    std::atomic<HWND> blockedWindow{nullptr};
    std::atomic<LRESULT> blockedAnswer{-1};
    std::atomic<LRESULT> thirdAnswer{-1};
    const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto blocked = [&] {
        blockedWindow = createTopLevel("Answering", "blocked");
        SetEvent(ready);
        blockedAnswer = SendMessageA(window, kAsk, 1, 0);  // waits until the test thread pumps
    };
    auto third = [&] { thirdAnswer = SendMessageA(blockedWindow, kAsk, 5, 0); };
    DWORD blockedId = 0;
    const HANDLE blockedThread = startThread(&blocked, &blockedId);
    ASSERT_EQ(WaitForSingleObject(ready, 5000), WAIT_OBJECT_0);
    Sleep(20);

    const HANDLE thirdThread = startThread(&third);
    ASSERT_EQ(WaitForSingleObject(thirdThread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(thirdAnswer.load(), 10);
    EXPECT_EQ(askedOn[5].load(), blockedId);
    EXPECT_EQ(blockedAnswer.load(), -1) << "still waiting for its own send";

    MSG message{};
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    ASSERT_EQ(WaitForSingleObject(blockedThread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(blockedAnswer.load(), 2);
    CloseHandle(thirdThread);
    CloseHandle(blockedThread);
    CloseHandle(ready);
}

TEST_F(MessagesTest, PeekingWithoutRemovalLeavesTheMessageForTheNextLook) {
    PostMessageA(window, kNote, 1, 2);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, kNote);
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.hwnd, window);
    EXPECT_EQ(message.wParam, 1u);
    EXPECT_EQ(message.lParam, 2);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessagesTest, TheQuitMessageEndsGetMessageAndStaysQueuedForAPeekWithoutRemoval) {
    PostMessageA(window, kNote, 0, 0);
    PostQuitMessage(3);
    MSG message{};
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, kNote) << "posted messages come before the quit message";
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessagesTest, WindowTimersArriveAsTimerMessagesUntilKilled) {
    ASSERT_NE(SetTimer(window, 7, 20, nullptr), 0u);
    MSG message{};
    const DWORD start = GetTickCount();
    for (int tick = 0; tick < 3; ++tick) {
        ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
        EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
        EXPECT_EQ(message.hwnd, window);
        EXPECT_EQ(message.wParam, 7u);
    }
    EXPECT_GE(GetTickCount() - start, 60u);

    ASSERT_TRUE(KillTimer(window, 7));
    Sleep(40);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(KillTimer(window, 7));
}

TEST_F(MessagesTest, DestroyingTheWindowStopsItsTimers) {
    SetTimer(window, 1, 10, nullptr);
    DestroyWindow(window);
    Sleep(30);
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, MessagesForAWindowOfAnotherThreadGoToThatThreadsQueue) {
    emu::control::ForeignProgram other("C:\\Other\\other.exe");
    const HWND foreign = other.createWindow("Static", "foreign", WS_POPUP, {0, 0, 10, 10});
    emu::control::recordMessages(foreign);
    ASSERT_TRUE(PostMessageA(foreign, kNote, 9, 0));
    other.settle();
    const auto received = emu::control::recordedMessages(foreign);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, kNote);
    EXPECT_TRUE(received[0].posted);
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

// --- Waits --------------------------------------------------------------------------------------

constexpr DWORD kWakeMask = 0xFF;

HANDLE armedTimer(LONGLONG hundredsOfNanoseconds) {
    const HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    LARGE_INTEGER due{};
    due.QuadPart = -hundredsOfNanoseconds;
    SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
    return timer;
}

void pumpPending() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        GetMessageA(&message, nullptr, 0, 0);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

using WaitTest = MessagesTest;

TEST_F(WaitTest, AnUnsignalledWaitEndsWhenItsTimerFires) {
    const HANDLE timer = armedTimer(1'000'000);
    const DWORD start = GetTickCount();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask), WAIT_OBJECT_0);
    EXPECT_GE(GetTickCount() - start, 100u);
    EXPECT_EQ(WaitForSingleObject(timer, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "an auto-reset timer is reset by the wait it satisfied";
    CloseHandle(timer);
}

TEST_F(WaitTest, TheWaitWakesForEachKindOfNewMessage) {
    const HANDLE timer = armedTimer(50'000'000);  // 5 s: far beyond any of these wakes
    std::atomic<int> which{0};
    auto poster = [&] {
        Sleep(20);
        if (which == 0) {
            PostMessageA(window, kNote, 0, 0);
        } else {
            SendMessageA(window, kAsk, 4, 0);
        }
    };
    for (int kind = 0; kind < 2; ++kind) {
        which = kind;
        const HANDLE thread = startThread(&poster);
        EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask),
                  WAIT_OBJECT_0 + 1)
            << (kind == 0 ? "posted" : "sent");
        pumpPending();
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
    }
    EXPECT_EQ(notesHandled.load(), 1);
    EXPECT_EQ(askedOn[4].load(), GetCurrentThreadId());

    ASSERT_NE(SetTimer(window, 3, 20, nullptr), 0u);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask), WAIT_OBJECT_0 + 1)
        << "a window timer falling due";
    CloseHandle(timer);
}

TEST_F(WaitTest, MessagesAlreadySeenDoNotWakeTheWait) {
    PostMessageA(window, kNote, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    const HANDLE timer = armedTimer(300'000);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask), WAIT_OBJECT_0);
    CloseHandle(timer);
}

TEST_F(WaitTest, APumpingWaitLastsItsFullTimeWhileMessagesKeepArrivingAndHandlesThem) {
    std::atomic<bool> stop{false};
    auto poster = [&] {
        while (!stop) {
            PostMessageA(window, kNote, 0, 0);
            Sleep(5);
        }
    };
    const HANDLE thread = startThread(&poster);
    const DWORD start = GetTickCount();
    const HANDLE timer = armedTimer(1'000'000);
    while (MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask) != WAIT_OBJECT_0) {
        pumpPending();
    }
    const DWORD elapsed = GetTickCount() - start;
    stop = true;
    WaitForSingleObject(thread, 5000);
    EXPECT_GE(elapsed, 100u);
    EXPECT_GT(notesHandled.load(), 3);
    CloseHandle(timer);
    CloseHandle(thread);
}

TEST_F(WaitTest, NamedEventsExistWhileAHandleIsOpen) {
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, "guard"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    const HANDLE created = CreateEventA(nullptr, FALSE, FALSE, "guard");
    ASSERT_NE(created, nullptr);
    const HANDLE opened = OpenEventA(EVENT_ALL_ACCESS, FALSE, "guard");
    ASSERT_NE(opened, nullptr);
    const HANDLE again = CreateEventA(nullptr, FALSE, FALSE, "guard");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(again);
    CloseHandle(opened);
    CloseHandle(created);
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, "guard"), nullptr);
}

}  // namespace

// The cursor and synthetic mouse input: what is recorded and where it is delivered.
#include <optional>
#include <vector>

#include "support/emulated_desktop.h"

namespace {

using test_support::EmulatedDesktopTest;

constexpr DWORD kClickFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;

class InputTest : public EmulatedDesktopTest {
  protected:
    void SetUp() override {
        EmulatedDesktopTest::SetUp();
        other.emplace("C:\\other.exe");
        // A captioned dialog at (500, 300)-(900, 500) of another program.
        dialog =
            other->createWindow("#32770", "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                {500, 300, 900, 500});
        emu::control::recordMessages(dialog);
    }

    std::vector<emu::control::RecordedMessage> delivered() {
        other->settle();
        return emu::control::recordedMessages(dialog);
    }

    std::optional<emu::control::ForeignProgram> other;
    HWND dialog = nullptr;
};

TEST_F(InputTest, AClickInTheClientAreaArrivesAsButtonMessagesInClientCoordinates) {
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    SetCursorPos(origin.x + 30, origin.y + 40);
    mouse_event(kClickFlags, 0, 0, 0, 0);

    const auto input = emu::control::injectedInput();
    ASSERT_EQ(input.size(), 1u);
    EXPECT_EQ(input[0].flags, kClickFlags);
    EXPECT_EQ(input[0].at.x, origin.x + 30);
    EXPECT_EQ(input[0].at.y, origin.y + 40);
    EXPECT_EQ(input[0].target, dialog);

    const auto seen = delivered();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(seen[1].lParam, MAKELPARAM(30, 40));
}

TEST_F(InputTest, AClickAboveTheClientAreaLandsOnTheCaption) {
    POINT point{371, -14};
    ClientToScreen(dialog, &point);
    SetCursorPos(point.x, point.y);
    mouse_event(kClickFlags, 0, 0, 0, 0);

    const auto seen = delivered();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(seen[0].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(InputTest, AClickOnTheCloseBoxClosesTheWindow) {
    RECT outer{};
    GetWindowRect(dialog, &outer);
    SetCursorPos(outer.right - 6, outer.top + 8);
    mouse_event(kClickFlags, 0, 0, 0, 0);
    delivered();
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(InputTest, InputWithNoWindowUnderTheCursorIsRecordedAndGoesNowhere) {
    SetCursorPos(5, 5);
    mouse_event(kClickFlags, 0, 0, 0, 0);
    const auto input = emu::control::injectedInput();
    ASSERT_EQ(input.size(), 1u);
    EXPECT_EQ(input[0].target, nullptr);
    EXPECT_TRUE(delivered().empty());
}

TEST_F(InputTest, HiddenWindowsAreNotUnderTheCursor) {
    ShowWindow(dialog, SW_HIDE);
    SetCursorPos(600, 400);
    EXPECT_EQ(WindowFromPoint(POINT{600, 400}), nullptr);
}

TEST_F(InputTest, ClickingAButtonNotifiesItsParent) {
    const HWND button =
        other->createWindow("Button", "OK", WS_CHILD | WS_VISIBLE, {10, 10, 60, 30}, dialog);
    other->run([&] { SetWindowLongPtrA(button, GWLP_ID, 42); });
    POINT point{20, 20};
    ClientToScreen(dialog, &point);
    SetCursorPos(point.x, point.y);
    EXPECT_EQ(WindowFromPoint(point), button);
    mouse_event(kClickFlags, 0, 0, 0, 0);

    const auto seen = delivered();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(LOWORD(seen[0].wParam), 42);
    EXPECT_EQ(seen[0].lParam, reinterpret_cast<LPARAM>(button));
}

TEST_F(EmulatedDesktopTest, TheCursorStaysOnTheScreen) {
    struct Case {
        int x, y;
        LONG expectedX, expectedY;
    };
    for (const Case& c :
         {Case{100, 200, 100, 200}, Case{-5, -14, 0, 0}, Case{5000, 5000, 1919, 1079}}) {
        SetCursorPos(c.x, c.y);
        POINT at{};
        GetCursorPos(&at);
        EXPECT_EQ(at.x, c.expectedX);
        EXPECT_EQ(at.y, c.expectedY);
    }
}

}  // namespace

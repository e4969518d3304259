// The tray icon: its record, the subclass it puts on its window and what reaches the handler.
#include "tray/tray_icon.h"

#include <string>
#include <vector>

#include "support/emulated_desktop.h"

namespace {

using lornette::TrayIcon;
using test_support::createTopLevel;
using test_support::EmulatedDesktopTest;
using test_support::registerClass;

constexpr UINT kOther = WM_USER + 7;

// What happened, in order: "handler:<code>" and "base:<message>".
std::vector<std::string> trail;

void handler(std::int32_t code) {
    trail.push_back("handler:" + std::to_string(code));
}

LRESULT CALLBACK base(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == kOther || message == lornette::trayCallbackMessage) {
        trail.push_back("base:" + std::to_string(message));
    }
    if (message == kOther) {
        return 1000 + static_cast<LRESULT>(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class TrayIconTest : public EmulatedDesktopTest {
  protected:
    void SetUp() override {
        EmulatedDesktopTest::SetUp();
        trail.clear();
        registerClass("Owner", base);
        window = createTopLevel("Owner", "owner");
        smallIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
        baseProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    }

    HWND window = nullptr;
    HICON smallIcon = nullptr;
    WNDPROC baseProcedure = nullptr;
};

TEST_F(TrayIconTest, AddingFillsTheRecordAndShowsTheWindowsSmallIcon) {
    TrayIcon icon;
    EXPECT_EQ(icon.taskbarCreatedMessage(), RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_EQ(icon.iconData().cbSize, 0u);
    ASSERT_TRUE(icon.addIcon(window));

    const NOTIFYICONDATAA& data = icon.iconData();
    EXPECT_EQ(data.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE));
    EXPECT_EQ(data.hWnd, window);
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, 0x17u);
    EXPECT_EQ(data.uCallbackMessage, 0x2DA5u);
    EXPECT_EQ(data.hIcon, smallIcon);
    EXPECT_EQ(data.uTimeout, 10000u);
    EXPECT_STREQ(data.szTip, "");
    EXPECT_STREQ(data.szInfo, "");
    EXPECT_STREQ(data.szInfoTitle, "");
    EXPECT_EQ(data.dwState, 0u);
    EXPECT_EQ(data.dwInfoFlags, 0u);

    const auto shown = emu::control::trayIcons();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, smallIcon);
    EXPECT_EQ(shown[0].tip, "");
    EXPECT_EQ(icon.iconWindow(), window);
}

TEST_F(TrayIconTest, ALongTipIsCutTo127Bytes) {
    TrayIcon icon;
    ASSERT_TRUE(icon.addIcon(window, nullptr, std::string(200, 't')));
    EXPECT_EQ(std::string(icon.iconData().szTip), std::string(127, 't'));
}

TEST_F(TrayIconTest, NothingHappensForAWindowThatDoesNotExist) {
    DestroyWindow(window);
    TrayIcon icon;
    EXPECT_FALSE(icon.addIcon(window));
    icon.setEventHandler(handler);
    EXPECT_EQ(icon.savedWindowProc(), nullptr);
    EXPECT_TRUE(emu::control::trayIcons().empty());
}

TEST_F(TrayIconTest, ARefusingShellLeavesNoIcon) {
    emu::control::setShellRunning(false);
    TrayIcon icon;
    EXPECT_FALSE(icon.addIcon(window));
    EXPECT_TRUE(emu::control::trayIcons().empty());
}

TEST_F(TrayIconTest, TheSubclassKeepsItsStateInTheWindowsProperties) {
    TrayIcon icon;
    icon.addIcon(window);
    icon.setEventHandler(handler);
    EXPECT_EQ(icon.savedWindowProc(), baseProcedure);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)),
              &TrayIcon::trayWindowProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(window, "WinProc")), baseProcedure);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(window, "CallbackMessage")), 0x2DA5u);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(window, "TaskbarCreatedMessage")),
              icon.taskbarCreatedMessage());
    EXPECT_EQ(reinterpret_cast<lornette::TrayEventHandler>(GetPropA(window, "Exec Event")),
              &handler);
}

struct RoutingCase {
    const char* name;
    UINT message;  // 0 stands for the registered "TaskbarCreated"
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    std::vector<std::string> trail;
};

void PrintTo(const RoutingCase& c, std::ostream* out) {
    *out << c.name;
}

class TrayRoutingTest : public TrayIconTest, public ::testing::WithParamInterface<RoutingCase> {};

TEST_P(TrayRoutingTest, RoutesEachMessage) {
    TrayIcon icon;
    icon.addIcon(window);
    icon.setEventHandler(handler);
    const RoutingCase& c = GetParam();
    const UINT message = c.message == 0 ? icon.taskbarCreatedMessage() : c.message;
    EXPECT_EQ(SendMessageA(window, message, c.wParam, c.lParam), c.result);
    EXPECT_EQ(trail, c.trail);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TrayRoutingTest,
    ::testing::Values(
        RoutingCase{
            "LeftButtonUpReachesOnlyTheHandler", 0x2DA5, 1, WM_LBUTTONUP, 0, {"handler:514"}},
        RoutingCase{
            "RightButtonUpReachesOnlyTheHandler", 0x2DA5, 1, WM_RBUTTONUP, 0, {"handler:517"}},
        RoutingCase{"TaskbarCreatedBecomes1120", 0, 0, 0, 0, {"handler:1120"}},
        RoutingCase{"DestroyReachesTheHandlerFirstThenTheWindow",
                    WM_DESTROY,
                    0,
                    0,
                    0,
                    {"handler:1130", "base:2"}},
        RoutingCase{"OtherMessagesPassThroughWithTheirResult",
                    kOther,
                    5,
                    0,
                    1005,
                    {"base:" + std::to_string(kOther)}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(TrayIconTest, WithoutAHandlerEveryMessagePassesThrough) {
    TrayIcon icon;
    icon.addIcon(window);
    icon.setEventHandler();
    EXPECT_EQ(GetPropA(window, "Exec Event"), nullptr);
    EXPECT_EQ(SendMessageA(window, 0x2DA5, 1, WM_LBUTTONUP), 0);
    EXPECT_EQ(SendMessageA(window, kOther, 1, 0), 1001);
    EXPECT_EQ(trail, (std::vector<std::string>{"base:" + std::to_string(0x2DA5),
                                               "base:" + std::to_string(kOther)}));
}

TEST_F(TrayIconTest, TheTrayProcedureIsOutsideAnEarlierSubclass) {
    static WNDPROC earlierSaved = nullptr;
    earlierSaved = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_DESTROY) {
                trail.push_back("earlier:2");
            }
            return CallWindowProcA(earlierSaved, w, m, wp, lp);
        })));
    TrayIcon icon;
    icon.addIcon(window);
    icon.setEventHandler(handler);
    DestroyWindow(window);
    EXPECT_EQ(trail, (std::vector<std::string>{"handler:1130", "earlier:2", "base:2"}));
}

TEST_F(TrayIconTest, RemovingPutsTheProcedureBackKeepsThePropertiesAndDeletesTheIcon) {
    TrayIcon icon;
    icon.addIcon(window);
    icon.setEventHandler(handler);
    EXPECT_TRUE(icon.removeIcon());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), baseProcedure);
    EXPECT_EQ(icon.iconWindow(), nullptr);
    EXPECT_EQ(icon.savedWindowProc(), nullptr);
    EXPECT_NE(GetPropA(window, "WinProc"), nullptr);
    EXPECT_TRUE(emu::control::trayIcons().empty());
    EXPECT_FALSE(icon.removeIcon()) << "nothing left to delete";
}

TEST_F(TrayIconTest, DestructionDeletesTheIcon) {
    {
        TrayIcon icon;
        icon.addIcon(window);
        icon.setEventHandler(handler);
        EXPECT_EQ(emu::control::trayIcons().size(), 1u);
    }
    EXPECT_TRUE(emu::control::trayIcons().empty());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), baseProcedure);
}

TEST_F(TrayIconTest, RestoringAddsTheSameRecordAgainAfterTheShellForgotIt) {
    TrayIcon icon;
    icon.addIcon(window);
    emu::control::restartShell();
    EXPECT_TRUE(emu::control::trayIcons().empty());
    EXPECT_TRUE(icon.restoreIcon());
    const auto shown = emu::control::trayIcons();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].window, window);
    EXPECT_EQ(shown[0].callbackMessage, 0x2DA5u);
    EXPECT_EQ(shown[0].icon, smallIcon);
}

}  // namespace

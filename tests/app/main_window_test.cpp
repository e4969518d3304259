// The main window: its layout, close requests, the tray icon's clicks and menu, and the end.
#include "program_fixture.h"

namespace {

using emu::control::TrayClick;
using test_support::cp936;
using test_support::ProgramTest;
using test_support::utf8;

TEST_F(ProgramTest, StartsHiddenCentredAndWithoutATaskbarButton) {
    startQuietly();
    const HWND main = mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(emu::control::taskbarWindows().empty());
    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, 800);
    EXPECT_EQ(rect.top, 374);
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 332);
}

TEST_F(ProgramTest, CentresOnOtherScreenSizesWithTheRemainderDropped) {
    emu::control::setScreenSize(1365, 767);
    startQuietly();
    RECT rect{};
    GetWindowRect(mainWindow(), &rect);
    EXPECT_EQ(rect.left, 522);
    EXPECT_EQ(rect.top, 217);
}

TEST_F(ProgramTest, HasItsFrameListButtonAndIcons) {
    startQuietly();
    const HWND main = mainWindow();
    char caption[32] = {};
    GetWindowTextA(main, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Lornette");
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(main, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    for (DWORD present : {WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN}) {
        EXPECT_NE(style & present, 0u) << present;
    }
    for (DWORD absent : {WS_MAXIMIZEBOX, WS_THICKFRAME, WS_POPUP, WS_CHILD}) {
        EXPECT_EQ(style & absent, 0u) << absent;
    }
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);

    const HICON small = reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_SMALL, 0));
    EXPECT_NE(small, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_BIG, 0)), small);

    // The button lies over the list's lower-right corner and above it.
    const HWND button = GetWindow(main, GW_CHILD);
    const HWND list = GetWindow(button, GW_HWNDNEXT);
    EXPECT_EQ(list, resultList());
    char text[16] = {};
    GetWindowTextA(button, text, sizeof(text));
    EXPECT_EQ(utf8(text), "下载");
    const auto childBox = [&](HWND child) {
        RECT box{};
        GetWindowRect(child, &box);
        POINT origin{0, 0};
        ClientToScreen(main, &origin);
        return RECT{box.left - origin.x, box.top - origin.y, box.right - origin.x,
                    box.bottom - origin.y};
    };
    const RECT listBox = childBox(list);
    const RECT buttonBox = childBox(button);
    EXPECT_EQ(listBox.left, 8);
    EXPECT_EQ(listBox.top, 8);
    EXPECT_EQ(listBox.right, 304);
    EXPECT_EQ(listBox.bottom, 296);
    EXPECT_EQ(buttonBox.left, 248);
    EXPECT_EQ(buttonBox.top, 264);
    EXPECT_EQ(buttonBox.right, 296);
    EXPECT_EQ(buttonBox.bottom, 288);
    const auto defaultFont = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(emu::control::windowFont(list), defaultFont);
    EXPECT_EQ(emu::control::windowFont(button), defaultFont);
}

TEST_F(ProgramTest, TheResultListIsAReportWithCheckBoxesAndThreeColumns) {
    startQuietly();
    const HWND list = resultList();
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE));
    for (DWORD present : {DWORD{LVS_REPORT}, DWORD{LVS_SINGLESEL}, DWORD{LVS_NOSORTHEADER},
                          DWORD{WS_BORDER}, DWORD{WS_TABSTOP}}) {
        EXPECT_NE(style & present, 0u) << present;
    }
    EXPECT_EQ(style & (LVS_SORTASCENDING | LVS_EDITLABELS), 0u);
    const auto info = emu::control::listView(list);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->extendedStyle,
              static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                 LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES));
    ASSERT_EQ(info->columns.size(), 3u);
    const std::vector<std::tuple<std::string, int, int>> expected{
        {"S", 20, LVCFMT_LEFT}, {"文件名", 200, LVCFMT_LEFT}, {"大小", 75, LVCFMT_CENTER}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(utf8(info->columns[i].title), std::get<0>(expected[i]));
        EXPECT_EQ(info->columns[i].width, std::get<1>(expected[i]));
        EXPECT_EQ(info->columns[i].format, std::get<2>(expected[i]));
    }
    EXPECT_EQ(info->textColor, RGB(0, 0, 0));
    EXPECT_EQ(info->textBackground, RGB(255, 255, 255));
    EXPECT_EQ(info->background, RGB(255, 255, 255));
    EXPECT_TRUE(info->rows.empty());
}

TEST_F(ProgramTest, TheTimerTicksWhileTheWindowIsHidden) {
    startQuietly();
    emu::control::recordMessages(mainWindow());
    Sleep(1100);
    settle();
    int ticks = 0;
    for (const auto& seen : emu::control::recordedMessages(mainWindow())) {
        ticks += seen.message == WM_TIMER ? 1 : 0;
    }
    EXPECT_GE(ticks, 1);
}

// --- Close requests ----------------------------------------------------------------------------

enum class CloseRequest { CloseBox, SystemMenuClose, AltF4, Escape, LogOff };

struct CloseCase {
    const char* name;
    CloseRequest request;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseRequestTest : public ProgramTest, public ::testing::WithParamInterface<CloseCase> {
  protected:
    void appendRow(const char* link) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = 0x7FFFFFFF;
        item.pszText = const_cast<char*>(link);
        SendMessageA(resultList(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
};

TEST_P(CloseRequestTest, HidesTheWindowAndKeepsEverything) {
    startQuietly();
    clickTray(TrayClick::Left);
    ASSERT_TRUE(IsWindowVisible(mainWindow()));
    appendRow("http://a/1");
    appendRow("http://a/2");

    const HWND main = mainWindow();
    switch (GetParam().request) {
        case CloseRequest::CloseBox:
            emu::control::userClick(emu::control::closeBoxPoint(main));
            break;
        case CloseRequest::SystemMenuClose:
            emu::control::chooseSystemMenuClose(main);
            break;
        case CloseRequest::AltF4:
            emu::control::pressKey(VK_F4, true);
            break;
        case CloseRequest::Escape:
            emu::control::pressKey(VK_ESCAPE);
            break;
        case CloseRequest::LogOff:
            EXPECT_FALSE(emu::control::queryEndSession());
            break;
    }
    settle();
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(running());
    EXPECT_EQ(emu::control::trayIcons().size(), 1u);
    EXPECT_EQ(emu::control::listView(resultList())->rows.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Requests, CloseRequestTest,
                         ::testing::Values(CloseCase{"CloseBox", CloseRequest::CloseBox},
                                           CloseCase{"SystemMenuClose",
                                                     CloseRequest::SystemMenuClose},
                                           CloseCase{"AltF4", CloseRequest::AltF4},
                                           CloseCase{"Escape", CloseRequest::Escape},
                                           CloseCase{"LogOffQuestion", CloseRequest::LogOff}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// --- The tray icon ------------------------------------------------------------------------------

TEST_F(ProgramTest, TheIconShowsTheWindowsSmallIconWithoutTip) {
    startQuietly();
    const auto icon = onlyTrayIcon();
    EXPECT_EQ(icon.window, mainWindow());
    EXPECT_EQ(icon.id, 1u);
    EXPECT_EQ(icon.flags, 0x17u);
    EXPECT_EQ(icon.callbackMessage, 0x2DA5u);
    EXPECT_EQ(icon.icon,
              reinterpret_cast<HICON>(SendMessageA(mainWindow(), WM_GETICON, ICON_SMALL, 0)));
    EXPECT_EQ(icon.tip, "");
}

TEST_F(ProgramTest, LeftClicksToggleTheWindowAndADoubleClickTogglesTwice) {
    startQuietly();
    const HWND main = mainWindow();
    clickTray(TrayClick::Left);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(emu::control::taskbarWindows(), std::vector<HWND>{main});
    clickTray(TrayClick::Left);
    EXPECT_FALSE(IsWindowVisible(main));
    clickTray(TrayClick::Double);
    EXPECT_FALSE(IsWindowVisible(main));
    const auto events = emu::control::takeEvents();
    const auto shown = std::count_if(events.begin(), events.end(), [&](const auto& e) {
        return e.window == main && e.kind == emu::control::DesktopEvent::Kind::WindowShown;
    });
    EXPECT_EQ(shown, 2) << "once for the first click and once within the double click";
}

TEST_F(ProgramTest, AMinimisedWindowCountsAsShown) {
    startQuietly();
    const HWND main = mainWindow();
    clickTray(TrayClick::Left);
    ShowWindow(main, SW_MINIMIZE);
    settle();
    clickTray(TrayClick::Left);
    EXPECT_FALSE(IsWindowVisible(main));
    clickTray(TrayClick::Left);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsIconic(main));
}

TEST_F(ProgramTest, ARightClickPopsTheTrayMenuUpBesideTheCursor) {
    startQuietly();
    clickTray(TrayClick::Right);
    POINT cursor{};
    GetCursorPos(&cursor);
    const auto menu = emu::control::openMenu();
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->at.x, cursor.x + 3);
    EXPECT_EQ(menu->at.y, cursor.y + 3);
    EXPECT_EQ(menu->owner, mainWindow());
    EXPECT_EQ(menu->flags, static_cast<UINT>(TPM_RIGHTBUTTON));
    ASSERT_EQ(menu->items.size(), 2u);
    EXPECT_EQ(utf8(menu->items[0]), "显示");
    EXPECT_EQ(utf8(menu->items[1]), "关闭");
    EXPECT_FALSE(IsWindowVisible(mainWindow())) << "the window is not brought forward for the menu";

    emu::control::dismissMenu();
    settle();
    EXPECT_FALSE(emu::control::openMenu().has_value());
    EXPECT_FALSE(IsWindowVisible(mainWindow()));
}

TEST_F(ProgramTest, ShowInTheTrayMenuTogglesTheWindow) {
    startQuietly();
    for (bool expectedVisible : {true, false}) {
        clickTray(TrayClick::Right);
        ASSERT_TRUE(emu::control::chooseMenuItem(cp936("显示")));
        settle();
        EXPECT_EQ(IsWindowVisible(mainWindow()) != FALSE, expectedVisible);
    }
}

TEST_F(ProgramTest, CloseInTheTrayMenuEndsTheProgramWithCodeZeroAndNoIconLeft) {
    startQuietly();
    clickTray(TrayClick::Left);
    const HWND main = mainWindow();
    clickTray(TrayClick::Right);
    ASSERT_TRUE(emu::control::chooseMenuItem(cp936("关闭")));
    ASSERT_TRUE(emu::control::waitForExit(process, kSettleTimeout));
    EXPECT_EQ(emu::control::exitCode(process), 0u);
    EXPECT_TRUE(emu::control::trayIcons().empty());
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(ProgramTest, TheIconComesBackAfterTheShellRestarts) {
    startQuietly();
    const auto before = onlyTrayIcon();
    emu::control::restartShell();
    settle();
    const auto after = onlyTrayIcon();
    EXPECT_EQ(after.window, before.window);
    EXPECT_EQ(after.id, before.id);
    EXPECT_EQ(after.callbackMessage, before.callbackMessage);
    EXPECT_EQ(after.icon, before.icon);
    clickTray(TrayClick::Left);
    EXPECT_TRUE(IsWindowVisible(mainWindow())) << "the icon still works";
}

TEST_F(ProgramTest, WithoutTheShellTheProgramRunsWithoutAnIcon) {
    emu::control::setShellRunning(false);
    startQuietly();
    EXPECT_TRUE(emu::control::trayIcons().empty());
    EXPECT_TRUE(running());
    EXPECT_FALSE(IsWindowVisible(mainWindow()));
}

}  // namespace

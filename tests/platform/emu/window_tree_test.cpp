// Creation and destruction, the window tree and its order, visibility, foreground, geometry,
// enumeration and search.
#include <string>
#include <vector>

#include "support/emulated_desktop.h"

namespace {

using test_support::createChild;
using test_support::createTopLevel;
using test_support::EmulatedDesktopTest;
using test_support::registerClass;

// What each window saw, in order: "<title>:<message>".
std::vector<std::string> trail;

std::string titleOf(HWND window) {
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

LRESULT CALLBACK tracing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto note = [&](const char* what) { trail.push_back(titleOf(window) + ":" + what); };
    switch (message) {
        case WM_NCCREATE: {
            const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            note("nccreate");
            return result;
        }
        case WM_CREATE:
            note(IsWindowVisible(window) ? "create visible" : "create hidden");
            return 0;
        case WM_DESTROY:
            note(IsWindow(window) ? "destroy" : "destroy after the fact");
            return 0;
        case WM_NCDESTROY:
            note("ncdestroy");
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

class WindowTreeTest : public EmulatedDesktopTest {
  protected:
    void SetUp() override {
        EmulatedDesktopTest::SetUp();
        trail.clear();
        registerClass("Tracing", tracing);
    }
};

TEST_F(WindowTreeTest, CreationMessagesRunBeforeCreateReturnsAndTheWindowStaysHidden) {
    const HWND window = createTopLevel("Tracing", "w", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(trail, (std::vector<std::string>{"w:nccreate", "w:create hidden"}));
    EXPECT_FALSE(IsWindowVisible(window));

    const HWND shown = createTopLevel("Tracing", "v", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(trail.back(), "v:create hidden") << "the visible style takes effect after creation";
    EXPECT_TRUE(IsWindowVisible(shown));
    EXPECT_EQ(GetForegroundWindow(), shown);
}

TEST_F(WindowTreeTest, UnknownClassesAndMissingParentsFailCreation) {
    EXPECT_EQ(createTopLevel("NoSuchClass", "x"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    const HWND parent = createTopLevel("Tracing", "p");
    DestroyWindow(parent);
    EXPECT_EQ(createChild(parent, "Tracing", "c"), nullptr);
}

TEST_F(WindowTreeTest, DestroyReachesTheWindowBeforeItsChildrenAndNcDestroyTheOtherWayRound) {
    const HWND parent = createTopLevel("Tracing", "parent");
    const HWND first = createChild(parent, "Tracing", "first");
    const HWND grandchild = createChild(first, "Tracing", "grandchild");
    const HWND second = createChild(parent, "Tracing", "second");
    trail.clear();

    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(trail, (std::vector<std::string>{"parent:destroy", "first:destroy", "second:destroy",
                                               "grandchild:destroy", "grandchild:ncdestroy",
                                               "second:ncdestroy", "first:ncdestroy",
                                               "parent:ncdestroy"}));
    for (HWND gone : {parent, first, grandchild, second}) {
        EXPECT_FALSE(IsWindow(gone));
    }
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_NE(createTopLevel("Tracing", "next"), parent) << "handles are never reused";
}

TEST_F(WindowTreeTest, OwnedWindowsGoFirstAndOtherThreadsCannotDestroy) {
    const HWND owner = createTopLevel("Tracing", "owner");
    const HWND owned = CreateWindowExA(0, "Tracing", "owned", WS_POPUP, 0, 0, 10, 10, owner,
                                       nullptr, nullptr, nullptr);
    trail.clear();
    DestroyWindow(owner);
    ASSERT_FALSE(trail.empty());
    EXPECT_EQ(trail.front(), "owned:destroy");
    EXPECT_FALSE(IsWindow(owned));

    emu::control::ForeignProgram other("C:\\other.exe");
    const HWND foreign = other.createWindow("Static", "theirs", WS_POPUP, {0, 0, 5, 5});
    EXPECT_FALSE(DestroyWindow(foreign));
    EXPECT_TRUE(IsWindow(foreign));
}

TEST_F(WindowTreeTest, ChildrenKeepCreationOrderAndTopLevelWindowsComeNewestFirst) {
    const HWND older = createTopLevel("Tracing", "older");
    const HWND newer = createTopLevel("Tracing", "newer");
    const HWND a = createChild(newer, "Tracing", "a");
    const HWND b = createChild(newer, "Tracing", "b");

    EXPECT_EQ(GetWindow(newer, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, nullptr, nullptr), newer);
    EXPECT_EQ(FindWindowExA(nullptr, newer, nullptr, nullptr), older);

    SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(newer, GW_CHILD), b);
    SetWindowPos(older, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, nullptr, nullptr), older);
    EXPECT_EQ(GetForegroundWindow(), older) << "moving without SWP_NOACTIVATE activates";
}

TEST_F(WindowTreeTest, ShowingHidingAndMinimising) {
    const HWND window = createTopLevel("Tracing", "w", WS_OVERLAPPEDWINDOW);
    const HWND other = createTopLevel("Tracing", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_FALSE(ShowWindow(window, SW_SHOW)) << "answers whether it was visible before";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);

    EXPECT_TRUE(ShowWindow(window, SW_MINIMIZE));
    EXPECT_TRUE(IsWindowVisible(window)) << "a minimised window is still shown";
    EXPECT_TRUE(IsIconic(window));

    EXPECT_TRUE(OpenIcon(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(GetForegroundWindow(), window);

    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), other) << "hiding the foreground window hands it on";

    const HWND child = createChild(window, "Tracing", "child");
    EXPECT_FALSE(IsWindowVisible(child)) << "a child is only visible with its parent";
}

TEST_F(WindowTreeTest, ShowingAWindowFromAnotherThreadIsCarriedOutByItsOwner) {
    emu::control::ForeignProgram other("C:\\other.exe");
    const HWND foreign = other.createWindow("Static", "theirs", WS_POPUP, {0, 0, 5, 5});
    emu::control::recordMessages(foreign);
    EXPECT_FALSE(ShowWindow(foreign, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(foreign));
    const auto seen = emu::control::recordedMessages(foreign);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_SHOWWINDOW));
}

TEST_F(WindowTreeTest, ClientAreasMapToTheScreenThroughFramesAndParents) {
    emu::control::setScreenSize(1280, 720);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 720);

    const DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const HWND dialog = createTopLevel("Tracing", "d", dialogStyle, {100, 50, 500, 350});
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    EXPECT_EQ(origin.x, 100 + frame);
    EXPECT_EQ(origin.y, 50 + frame + GetSystemMetrics(SM_CYCAPTION));

    const HWND child = createChild(dialog, "Tracing", "c", 0, {10, 20, 30, 40});
    POINT childOrigin{0, 0};
    ClientToScreen(child, &childOrigin);
    EXPECT_EQ(childOrigin.x, origin.x + 10);
    EXPECT_EQ(childOrigin.y, origin.y + 20);

    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 400 - 2 * frame);
}

TEST_F(EmulatedDesktopTest, TheScreenIs1920By1080UnlessSetOtherwise) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
}

// --- Enumeration and search ------------------------------------------------------------------

BOOL CALLBACK collect(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

TEST_F(WindowTreeTest, EnumerationListsEveryTopLevelWindowInZOrderHiddenAndForeignOnesToo) {
    emu::control::ForeignProgram other("C:\\other.exe");
    const HWND mine = createTopLevel("Tracing", "mine");
    const HWND theirs = other.createWindow("#32770", "theirs", WS_POPUP | WS_VISIBLE, {0, 0, 5, 5});
    const HWND child = createChild(mine, "Tracing", "child");
    std::vector<HWND> listed;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&listed));
    EXPECT_EQ(listed, (std::vector<HWND>{theirs, mine}));
    EXPECT_EQ(std::count(listed.begin(), listed.end(), child), 0);

    DWORD processId = 0;
    EXPECT_EQ(GetWindowThreadProcessId(theirs, &processId), other.threadId());
    EXPECT_EQ(processId, other.processId());
    EXPECT_EQ(GetWindowThreadProcessId(mine, &processId), GetCurrentThreadId());
    EXPECT_EQ(processId, GetCurrentProcessId());
}

struct SearchCase {
    const char* name;
    bool underDialog;
    const char* className;
    const char* title;
    int expected;  // index into the windows made by the fixture, -1 for none
};

void PrintTo(const SearchCase& c, std::ostream* out) {
    *out << c.name;
}

class WindowSearchTest : public EmulatedDesktopTest,
                         public ::testing::WithParamInterface<SearchCase> {};

TEST_P(WindowSearchTest, FindsTheFirstMatchInOrder) {
    emu::control::ForeignProgram other("C:\\other.exe");
    // 0: the dialog; 1, 2: its buttons; 3: a grandchild button; 4: a top-level button.
    std::vector<HWND> made;
    made.push_back(other.createWindow("#32770", "Dialog", WS_POPUP | WS_VISIBLE, {0, 0, 99, 99}));
    made.push_back(other.createWindow("Button", "OK", WS_CHILD, {0, 0, 5, 5}, made[0]));
    made.push_back(other.createWindow("Button", "<< Less", WS_CHILD, {0, 0, 5, 5}, made[0]));
    made.push_back(other.createWindow("Button", "Deep", WS_CHILD, {0, 0, 5, 5}, made[1]));
    made.push_back(other.createWindow("Button", "Lone", WS_POPUP, {0, 0, 5, 5}));

    const SearchCase& c = GetParam();
    const HWND found =
        FindWindowExA(c.underDialog ? made[0] : nullptr, nullptr, c.className, c.title);
    EXPECT_EQ(found, c.expected < 0 ? nullptr : made[static_cast<std::size_t>(c.expected)]);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WindowSearchTest,
    ::testing::Values(SearchCase{"ChildByClassAndTitle", true, "Button", "<< Less", 2},
                      SearchCase{"FirstChildOfClass", true, "Button", nullptr, 1},
                      SearchCase{"ClassIgnoresCase", true, "BUTTON", "<< Less", 2},
                      SearchCase{"TitleIgnoresCase", true, "Button", "<< LESS", 2},
                      SearchCase{"OnlyDirectChildren", true, "Button", "Deep", -1},
                      SearchCase{"TopLevelByClassAndTitle", false, "#32770", "Dialog", 0},
                      SearchCase{"TopLevelSkipsChildren", false, "Button", "OK", -1},
                      SearchCase{"TopLevelOfClass", false, "Button", nullptr, 4},
                      SearchCase{"EmptyTitleMatchesOnlyEmptyTitles", false, nullptr, "", -1},
                      SearchCase{"WrongTitle", true, "Button", "Cancel", -1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(WindowTreeTest, SearchingAfterAChildGoesOnFromThereAndEndsAfterTheLast) {
    const HWND parent = createTopLevel("Tracing", "parent");
    const HWND a = createChild(parent, "Static", "same");
    const HWND b = createChild(parent, "Static", "same");
    EXPECT_EQ(FindWindowExA(parent, nullptr, "Static", "same"), a);
    EXPECT_EQ(FindWindowExA(parent, a, "Static", "same"), b);
    EXPECT_EQ(FindWindowExA(parent, b, "Static", "same"), nullptr);
}

TEST_F(WindowTreeTest, ClassNamesAndTitlesAreReadIntoBoundedBuffers) {
    const std::string longName(60, 'K');
    registerClass(longName.c_str(), tracing);
    const HWND window = createTopLevel(longName.c_str(), "");
    char buffer[50];
    EXPECT_EQ(GetClassNameA(window, buffer, sizeof(buffer)), 49);
    EXPECT_EQ(std::string(buffer), longName.substr(0, 49));
    EXPECT_EQ(GetWindowTextLengthA(window), 0);
    EXPECT_EQ(GetClassNameA(nullptr, buffer, sizeof(buffer)), 0);
}

}  // namespace

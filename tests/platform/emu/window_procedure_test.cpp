// Window procedures: the chain that subclassing builds, properties, the default procedure's close
// handling and registered messages.
#include <string>
#include <vector>

#include "support/emulated_desktop.h"

namespace {

using test_support::createTopLevel;
using test_support::EmulatedDesktopTest;
using test_support::registerClass;

constexpr UINT kProbe = WM_USER + 1;
constexpr UINT kSwallowed = WM_USER + 2;

std::vector<std::string> seen;
WNDPROC baseProcedure = nullptr;
WNDPROC innerSaved = nullptr;
WNDPROC outerSaved = nullptr;

LRESULT CALLBACK base(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe || message == kSwallowed) {
        seen.push_back("base");
        return 100 + static_cast<LRESULT>(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK inner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe || message == kSwallowed) {
        seen.push_back("inner");
    }
    return CallWindowProcA(innerSaved, window, message, wParam, lParam);
}

// Answers kSwallowed itself; everything else goes down the chain.
LRESULT CALLBACK outer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSwallowed) {
        seen.push_back("outer");
        return 7;
    }
    if (message == kProbe) {
        seen.push_back("outer");
    }
    return CallWindowProcA(outerSaved, window, message, wParam, lParam);
}

WNDPROC subclass(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

class WindowProcedureTest : public EmulatedDesktopTest {
  protected:
    void SetUp() override {
        EmulatedDesktopTest::SetUp();
        seen.clear();
        registerClass("ChainTest", base);
        window = createTopLevel("ChainTest", "chain");
        ASSERT_NE(window, nullptr);
        baseProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    }
    HWND window = nullptr;
};

TEST_F(WindowProcedureTest, SubclassingReturnsThePreviousProcedureAndChainsOutsideIn) {
    innerSaved = subclass(window, inner);
    outerSaved = subclass(window, outer);
    EXPECT_EQ(innerSaved, baseProcedure);
    EXPECT_EQ(outerSaved, inner);

    EXPECT_EQ(SendMessageA(window, kProbe, 5, 0), 105);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer", "inner", "base"}));
}

TEST_F(WindowProcedureTest, AMessageAnsweredByTheOuterProcedureNeverReachesTheEarlierOnes) {
    innerSaved = subclass(window, inner);
    outerSaved = subclass(window, outer);

    EXPECT_EQ(SendMessageA(window, kSwallowed, 0, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer"}));
}

TEST_F(WindowProcedureTest, PuttingTheSavedProcedureBackRemovesTheSubclass) {
    innerSaved = subclass(window, inner);
    outerSaved = subclass(window, outer);
    EXPECT_EQ(subclass(window, outerSaved), outer);

    SendMessageA(window, kProbe, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"inner", "base"}));
}

TEST_F(WindowProcedureTest, PostedMessagesTakeTheSameChainWhenDispatched) {
    innerSaved = subclass(window, inner);
    ASSERT_TRUE(PostMessageA(window, kProbe, 1, 0));
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&message), 101);
    EXPECT_EQ(seen, (std::vector<std::string>{"inner", "base"}));
}

TEST_F(WindowProcedureTest, PropertiesAreKeptByNameWithoutRegardToCase) {
    const auto value = [](std::intptr_t v) { return reinterpret_cast<HANDLE>(v); };
    EXPECT_EQ(GetPropA(window, "WinProc"), nullptr);
    ASSERT_TRUE(SetPropA(window, "WinProc", value(11)));
    ASSERT_TRUE(SetPropA(window, "CallbackMessage", value(0x2DA5)));
    EXPECT_EQ(GetPropA(window, "winproc"), value(11));
    EXPECT_EQ(GetPropA(window, "CallbackMessage"), value(0x2DA5));

    ASSERT_TRUE(SetPropA(window, "WINPROC", value(12)));
    EXPECT_EQ(GetPropA(window, "WinProc"), value(12));
    EXPECT_EQ(RemovePropA(window, "WinProc"), value(12));
    EXPECT_EQ(GetPropA(window, "WinProc"), nullptr);

    DestroyWindow(window);
    EXPECT_EQ(GetPropA(window, "CallbackMessage"), nullptr);
    EXPECT_FALSE(SetPropA(window, "CallbackMessage", value(1)));
}

TEST_F(WindowProcedureTest, TheDefaultProcedureKeepsTextAndIcons) {
    char buffer[16] = {};
    EXPECT_EQ(GetWindowTextLengthA(window), 5);
    EXPECT_EQ(GetWindowTextA(window, buffer, sizeof(buffer)), 5);
    EXPECT_STREQ(buffer, "chain");
    EXPECT_EQ(GetWindowTextA(window, buffer, 3), 2);
    EXPECT_STREQ(buffer, "ch");

    const auto icon = reinterpret_cast<HICON>(static_cast<std::intptr_t>(0x50));
    EXPECT_EQ(SendMessageA(window, WM_SETICON, 0, reinterpret_cast<LPARAM>(icon)), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, 0, 0)), icon);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, 1, 0), 0);
}

// --- Close requests -----------------------------------------------------------------------------

bool refuseClose = false;
std::vector<UINT> closeTrail;

LRESULT CALLBACK closable(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_SYSCOMMAND || message == WM_QUERYENDSESSION) {
        closeTrail.push_back(message);
        if (refuseClose && message == WM_CLOSE) {
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    std::vector<UINT> trail;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseRequestTest : public EmulatedDesktopTest,
                         public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseRequestTest, EndsInWmCloseWhichTheDefaultProcedureAnswersByDestroying) {
    registerClass("Closable", closable);
    for (bool refuse : {false, true}) {
        closeTrail.clear();
        refuseClose = refuse;
        const HWND window = createTopLevel("Closable", "c", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SendMessageA(window, GetParam().message, GetParam().wParam, 0);
        EXPECT_EQ(closeTrail, GetParam().trail);
        EXPECT_EQ(IsWindow(window) != FALSE, refuse) << "refusing: " << refuse;
        DestroyWindow(window);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CloseRequestTest,
    ::testing::Values(CloseCase{"CloseMessage", WM_CLOSE, 0, {WM_CLOSE}},
                      CloseCase{
                          "SystemMenuClose", WM_SYSCOMMAND, SC_CLOSE, {WM_SYSCOMMAND, WM_CLOSE}},
                      CloseCase{"AltF4", WM_SYSKEYDOWN, VK_F4, {WM_SYSCOMMAND, WM_CLOSE}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(EmulatedDesktopTest, TheDefaultAnswerToTheEndOfSessionQuestionIsYes) {
    registerClass("Closable", closable);
    const HWND window = createTopLevel("Closable", "c");
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(EmulatedDesktopTest, RegisteredMessagesShareOneIdPerNameRegardlessOfCase) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_GE(taskbarCreated, 0xC000u);
    EXPECT_LE(taskbarCreated, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("TaskbarCreated"), taskbarCreated);
    EXPECT_EQ(RegisterWindowMessageA("taskbarcreated"), taskbarCreated);
    EXPECT_NE(RegisterWindowMessageA("SomethingElse"), taskbarCreated);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

}  // namespace

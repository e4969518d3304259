// The controls of the main window: the result list and the download button over its corner.
#include "app/main_window.h"
#include "app/program_state.h"

namespace lornette {

namespace {

struct Box {
    int left;
    int top;
    int width;
    int height;
};
constexpr Box kResultListBox{8, 8, 296, 288};
constexpr Box kDownloadButtonBox{248, 264, 48, 24};

constexpr DWORD kResultListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER;
constexpr DWORD kResultListExtendedStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT |
                                           LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES;
constexpr DWORD kDownloadButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Column {
    const char* title;
    int width;
    int format;
};
// Column 0 holds the link and is only as wide as the check box.
constexpr Column kColumns[] = {
    {"S", 20, LVCFMT_LEFT},
    {"文件名", 200, LVCFMT_LEFT},
    {"大小", 75, LVCFMT_CENTER},
};

HWND createControl(HWND parent, HINSTANCE instance, const char* className, const char* text,
                   DWORD style, const Box& box, int id) {
    const HWND control =
        CreateWindowExA(0, className, text, style, box.left, box.top, box.width, box.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    return control;
}

void setUpResultList(HWND list) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kResultListExtendedStyle);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, kBlack);
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, kWhite);
    SendMessageA(list, LVM_SETBKCOLOR, 0, kWhite);
    int index = 0;
    for (const Column& column : kColumns) {
        LVCOLUMNA definition{};
        definition.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        definition.fmt = column.format;
        definition.cx = column.width;
        definition.pszText = const_cast<char*>(column.title);
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&definition));
    }
}

}  // namespace

void createMainWindowControls(HWND window, HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    resultList = createControl(window, instance, WC_LISTVIEWA, "", kResultListStyle, kResultListBox,
                               kResultListId);
    setUpResultList(resultList);
    downloadButton = createControl(window, instance, "Button", "下载", kDownloadButtonStyle,
                                   kDownloadButtonBox, kDownloadButtonId);
    // The button lies over the list's corner, so it has to be above the list.
    SetWindowPos(downloadButton, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace lornette

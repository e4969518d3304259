// The report-view list control ("SysListView32") with check boxes as state images.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/emu/desktop.h"
#include "platform/emu/system_classes.h"

using namespace emu::detail;

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 17;
constexpr int kCheckBoxLeft = 4;
constexpr int kCheckBoxRight = 17;
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

// Runs `work` on the list's state with the desktop locked.
template <typename Work>
LRESULT withList(HWND window, Work work) {
    Lock lock = lockDesktop();
    WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr) {
        return 0;
    }
    if (!record->listView) {
        record->listView = std::make_shared<ListViewState>();
    }
    return work(*record->listView);
}

std::string textOf(LPCSTR text) {
    return text != nullptr ? text : "";
}

LRESULT insertColumn(ListViewState& list, WPARAM index, const LVCOLUMNA* column) {
    if (column == nullptr) {
        return -1;
    }
    emu::control::ListColumn added;
    if ((column->mask & LVCF_TEXT) != 0) {
        added.title = textOf(column->pszText);
    }
    if ((column->mask & LVCF_WIDTH) != 0) {
        added.width = column->cx;
    }
    if ((column->mask & LVCF_FMT) != 0) {
        added.format = column->fmt;
    }
    const std::size_t at = std::min<std::size_t>(index, list.columns.size());
    list.columns.insert(list.columns.begin() + static_cast<std::ptrdiff_t>(at), added);
    for (auto& row : list.rows) {
        row.texts.resize(list.columns.size());
    }
    return static_cast<LRESULT>(at);
}

LRESULT insertItem(ListViewState& list, const LVITEMA* item) {
    if (item == nullptr || item->iItem < 0 || item->iSubItem != 0) {
        return -1;
    }
    emu::control::ListRow row;
    row.texts.resize(std::max<std::size_t>(list.columns.size(), 1));
    if ((item->mask & LVIF_TEXT) != 0) {
        row.texts[0] = textOf(item->pszText);
    }
    // With check boxes every new row starts with the empty box.
    row.stateImage = (list.extendedStyle & LVS_EX_CHECKBOXES) != 0 ? kUnchecked : 0;
    if ((item->mask & LVIF_STATE) != 0 && (item->stateMask & LVIS_STATEIMAGEMASK) != 0) {
        row.stateImage = static_cast<int>((item->state & LVIS_STATEIMAGEMASK) >> 12);
    }
    const std::size_t at =
        std::min<std::size_t>(static_cast<std::size_t>(item->iItem), list.rows.size());
    list.rows.insert(list.rows.begin() + static_cast<std::ptrdiff_t>(at), row);
    return static_cast<LRESULT>(at);
}

bool validRow(const ListViewState& list, WPARAM row) {
    return row < list.rows.size();
}

LRESULT setItemText(ListViewState& list, WPARAM row, const LVITEMA* item) {
    if (item == nullptr || !validRow(list, row) || item->iSubItem < 0 ||
        static_cast<std::size_t>(item->iSubItem) >= std::max<std::size_t>(list.columns.size(), 1)) {
        return FALSE;
    }
    auto& texts = list.rows[row].texts;
    texts.resize(std::max(texts.size(), static_cast<std::size_t>(item->iSubItem) + 1));
    texts[static_cast<std::size_t>(item->iSubItem)] = textOf(item->pszText);
    return TRUE;
}

LRESULT getItemText(const ListViewState& list, WPARAM row, LVITEMA* item) {
    if (item == nullptr || item->pszText == nullptr || item->cchTextMax <= 0) {
        return 0;
    }
    item->pszText[0] = '\0';
    if (!validRow(list, row) || item->iSubItem < 0 ||
        static_cast<std::size_t>(item->iSubItem) >= list.rows[row].texts.size()) {
        return 0;
    }
    const std::string& text = list.rows[row].texts[static_cast<std::size_t>(item->iSubItem)];
    const auto length =
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
    std::memcpy(item->pszText, text.data(), length);
    item->pszText[length] = '\0';
    return static_cast<LRESULT>(length);
}

LRESULT setItemState(ListViewState& list, WPARAM row, const LVITEMA* item) {
    if (item == nullptr) {
        return FALSE;
    }
    const auto apply = [&](emu::control::ListRow& target) {
        if ((item->stateMask & LVIS_STATEIMAGEMASK) != 0) {
            target.stateImage = static_cast<int>((item->state & LVIS_STATEIMAGEMASK) >> 12);
        }
    };
    if (static_cast<int>(row) == -1) {
        std::for_each(list.rows.begin(), list.rows.end(), apply);
        return TRUE;
    }
    if (!validRow(list, row)) {
        return FALSE;
    }
    apply(list.rows[row]);
    return TRUE;
}

LRESULT getItemState(const ListViewState& list, WPARAM row, LPARAM mask) {
    if (!validRow(list, row)) {
        return 0;
    }
    const UINT state = INDEXTOSTATEIMAGEMASK(list.rows[row].stateImage);
    return static_cast<LRESULT>(state & static_cast<UINT>(mask));
}

int rowAt(HWND window, LPARAM clientPoint) {
    const int y = static_cast<short>(HIWORD(clientPoint));
    if (y < kHeaderHeight) {
        return -1;
    }
    const int row = (y - kHeaderHeight) / kRowHeight;
    return static_cast<int>(withList(window, [&](ListViewState& list) -> LRESULT {
        return row < static_cast<int>(list.rows.size()) ? row : -1;
    }));
}

// A press on a row's check box flips it between the empty and the ticked box.
void pressAt(HWND window, LPARAM clientPoint) {
    const int x = static_cast<short>(LOWORD(clientPoint));
    const int row = rowAt(window, clientPoint);
    if (row < 0 || x < kCheckBoxLeft || x >= kCheckBoxRight) {
        return;
    }
    withList(window, [&](ListViewState& list) -> LRESULT {
        if ((list.extendedStyle & LVS_EX_CHECKBOXES) != 0) {
            auto& image = list.rows[static_cast<std::size_t>(row)].stateImage;
            image = image == kChecked ? kUnchecked : kChecked;
        }
        return 0;
    });
}

void notifyRightClick(HWND window, LPARAM clientPoint) {
    NMITEMACTIVATE notice{};
    notice.hdr.hwndFrom = window;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
    notice.hdr.code = NM_RCLICK;
    notice.iItem = rowAt(window, clientPoint);
    notice.ptAction = {static_cast<short>(LOWORD(clientPoint)),
                       static_cast<short>(HIWORD(clientPoint))};
    SendMessageA(GetParent(window), WM_NOTIFY, notice.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&notice));
}

LRESULT CALLBACK listViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto item = [&] { return reinterpret_cast<LVITEMA*>(lParam); };
    switch (message) {
        case LVM_INSERTCOLUMNA:
            return withList(window, [&](ListViewState& l) {
                return insertColumn(l, wParam, reinterpret_cast<const LVCOLUMNA*>(lParam));
            });
        case LVM_GETCOLUMNWIDTH:
            return withList(window, [&](ListViewState& l) -> LRESULT {
                return wParam < l.columns.size() ? l.columns[wParam].width : 0;
            });
        case LVM_INSERTITEMA:
            return withList(window, [&](ListViewState& l) { return insertItem(l, item()); });
        case LVM_SETITEMTEXTA:
            return withList(window,
                            [&](ListViewState& l) { return setItemText(l, wParam, item()); });
        case LVM_GETITEMTEXTA:
            return withList(window,
                            [&](ListViewState& l) { return getItemText(l, wParam, item()); });
        case LVM_SETITEMSTATE:
            return withList(window,
                            [&](ListViewState& l) { return setItemState(l, wParam, item()); });
        case LVM_GETITEMSTATE:
            return withList(window,
                            [&](ListViewState& l) { return getItemState(l, wParam, lParam); });
        case LVM_GETITEMCOUNT:
            return withList(window,
                            [](ListViewState& l) { return static_cast<LRESULT>(l.rows.size()); });
        case LVM_DELETEALLITEMS:
            return withList(window, [](ListViewState& l) -> LRESULT {
                l.rows.clear();
                return TRUE;
            });
        case LVM_SETEXTENDEDLISTVIEWSTYLE:
            return withList(window, [&](ListViewState& l) -> LRESULT {
                const DWORD previous = l.extendedStyle;
                const DWORD mask = wParam != 0 ? static_cast<DWORD>(wParam) : ~0u;
                l.extendedStyle = (previous & ~mask) | (static_cast<DWORD>(lParam) & mask);
                return static_cast<LRESULT>(previous);
            });
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return withList(window,
                            [](ListViewState& l) { return static_cast<LRESULT>(l.extendedStyle); });
        case LVM_SETTEXTCOLOR:
        case LVM_SETTEXTBKCOLOR:
        case LVM_SETBKCOLOR:
            return withList(window, [&](ListViewState& l) -> LRESULT {
                DWORD& colour = message == LVM_SETTEXTCOLOR     ? l.textColor
                                : message == LVM_SETTEXTBKCOLOR ? l.textBackground
                                                                : l.background;
                colour = static_cast<DWORD>(lParam);
                return TRUE;
            });
        case WM_LBUTTONDOWN:
            pressAt(window, lParam);
            return 0;
        case WM_RBUTTONUP:
            notifyRightClick(window, lParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void emu::detail::registerListViewClass(Desktop& desktop) {
    registerSystemClass(desktop, WC_LISTVIEWA, listViewProcedure);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
    return controls != nullptr && controls->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

namespace emu::control {

std::optional<ListViewInfo> listView(HWND window) {
    Lock lock = lockDesktop();
    const WindowRecord* record = Desktop::instance().find(window);
    if (record == nullptr || !record->listView) {
        return std::nullopt;
    }
    const ListViewState& list = *record->listView;
    return ListViewInfo{list.columns,   list.rows,           list.extendedStyle,
                        list.textColor, list.textBackground, list.background};
}

POINT checkBoxPoint(HWND listView, int row) {
    POINT point{(kCheckBoxLeft + kCheckBoxRight) / 2,
                kHeaderHeight + row * kRowHeight + kRowHeight / 2};
    ClientToScreen(listView, &point);
    return point;
}

}  // namespace emu::control

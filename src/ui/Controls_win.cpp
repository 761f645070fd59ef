#include "ui/Controls_win.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "text/WinText_win.h"

namespace kelo {

HWND CreateControl(HWND parent, const ControlRow& row, int id) {
    const wchar_t* cls = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (row.kind) {
        case ControlKind::Label:
        case ControlKind::Note: cls = L"STATIC"; style |= SS_LEFT | SS_NOPREFIX; break;
        case ControlKind::Text:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Button: style |= BS_PUSHBUTTON | (row.tabIndex >= 0 ? WS_TABSTOP : 0); break;
        case ControlKind::Frame: style |= BS_GROUPBOX; break;
        case ControlKind::PictureButton: style |= BS_OWNERDRAW; break;
        case ControlKind::Readout:
            cls = L"STATIC";
            // One line in the middle of its field (SS_CENTERIMAGE does that for text), cut with "...".
            style |= SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_SUNKEN;
            break;
        case ControlKind::List:
            cls = L"LISTBOX";
            // No integral height: the list keeps the height its row gives, at every DPI.
            style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (row.tabIndex >= 0 ? WS_TABSTOP : 0);
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ScrollBar: cls = L"SCROLLBAR"; style |= SBS_VERT; break;
    }
    return CreateWindowExW(exStyle, cls, Widen(row.caption).c_str(), style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

RECT ControlRectPx(std::span<const ControlRow> rows, const ControlRow& row, int dpi) {
    const TwipRect r = ClientRectTwips(rows, row);
    const int left = TwipsToPixels(r.left, dpi), top = TwipsToPixels(r.top, dpi);
    return RECT{left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

std::vector<std::size_t> CreationOrder(std::span<const ControlRow> rows) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Rows that never take the focus keep their table order after the others.
    auto key = [&rows](std::size_t i) { return rows[i].tabIndex < 0 ? rows.size() + i : std::size_t(rows[i].tabIndex); };
    std::stable_sort(order.begin(), order.end(), [&key](std::size_t a, std::size_t b) { return key(a) < key(b); });
    return order;
}

}  // namespace kelo

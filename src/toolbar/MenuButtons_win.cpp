#include "toolbar/MenuButtons_win.h"

#include <commctrl.h>

#include <string>

#include "text/WinText_win.h"
#include "resources/Pictures.h"
#include "resources/Pictures_win.h"
#include "toolbar/Commands.h"
#include "ui/Controls_win.h"
#include "ui/Fonts_win.h"
#include "ui/Gdi_win.h"

namespace kelo {

namespace {

std::string_view TipOf(const ControlRow& row) {
    if (auto i = FindCommand(row.name)) return kCommands[*i].tip;
    return {};
}

}  // namespace

MenuButtons::~MenuButtons() {
    if (tooltip_) DestroyWindow(tooltip_);
    FreePictures();
    if (font_) DeleteObject(font_);
}

void MenuButtons::Create(HWND parent, HINSTANCE instance) {
    parent_ = parent;
    // TTS_ALWAYSTIP: the tips show on hover after the title bar has been
    // clicked, and also while the host is the active window. The tip window
    // is topmost on its own and has no owner: under Wine an owned topmost
    // popup keeps its owner out of the topmost band.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                               nullptr);
    // Buttons first, frames last: among siblings the earlier window is on top,
    // so a frame never paints over a button.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < kLayout.size(); ++i) {
            const ControlRow& row = kLayout[i];
            const bool frame = row.kind == ControlKind::Frame;
            if (frame != (pass == 1)) continue;
            controls_[i] = CreateControl(parent, row, kFirstId + static_cast<int>(i));
            if (frame) continue;
            const std::wstring tip = Widen(TipOf(row));
            if (tip.empty() && row.name != "C_EXTEND") continue;
            TOOLINFOW ti{sizeof ti};
            ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            ti.hwnd = parent;
            ti.uId = reinterpret_cast<UINT_PTR>(controls_[i]);
            ti.lpszText = const_cast<wchar_t*>(tip.c_str());
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }
    Relayout(GetDpiForWindow(parent));
}

void MenuButtons::Relayout(UINT dpi) {
    dpi_ = dpi;
    const int d = static_cast<int>(dpi);
    if (font_) DeleteObject(font_);
    font_ = CreateUiFont(dpi);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, d, 96));
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        if (!controls_[i]) continue;
        const RECT r = ControlRectPx(kLayout, kLayout[i], d);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    MakePictures();
}

const ControlRow* MenuButtons::RowOf(int id) const {
    const int i = id - kFirstId;
    if (i < 0 || i >= static_cast<int>(kLayout.size())) return nullptr;
    return &kLayout[static_cast<std::size_t>(i)];
}

void MenuButtons::SetCaption(std::string_view name, std::string_view caption) {
    if (auto i = FindControl(kLayout, name)) SetWindowTextUtf8(controls_[*i], caption);
}

void MenuButtons::SetTip(std::string_view name, std::string_view tip) {
    auto i = FindControl(kLayout, name);
    if (!i) return;
    std::wstring text = Widen(tip);
    TOOLINFOW ti{sizeof ti};
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = parent_;
    ti.uId = reinterpret_cast<UINT_PTR>(controls_[*i]);
    ti.lpszText = text.data();
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void MenuButtons::SetBack(std::string_view name, std::optional<COLORREF> back) {
    auto i = FindControl(kLayout, name);
    if (!i || backs_[*i] == back) return;
    backs_[*i] = back;
    // The pictures' transparent pixels carry the back colour, so they are made again.
    MakePictures(*i);
    InvalidateRect(controls_[*i], nullptr, FALSE);
}

COLORREF MenuButtons::BackOf(std::size_t index) const {
    return backs_[index].value_or(GetSysColor(COLOR_BTNFACE));
}

void MenuButtons::MakePictures() {
    FreePictures();
    pictureSize_ = PictureSizeFor(static_cast<int>(dpi_));
    for (std::size_t i = 0; i < kLayout.size(); ++i) MakePictures(i);
}

void MenuButtons::MakePictures(std::size_t index) {
    const ControlRow& row = kLayout[index];
    for (HBITMAP* b : {&pictures_[index], &secondPictures_[index]}) {
        if (*b) DeleteObject(*b);
        *b = nullptr;
    }
    const COLORREF back = BackOf(index);
    if (row.pictures & kFirstPicture) pictures_[index] = CreatePictureBitmap(row.name, pictureSize_, back);
    if (row.pictures & kSecondPicture)
        secondPictures_[index] = CreatePictureBitmap(std::string(row.name) + "#2", pictureSize_, back);
}

void MenuButtons::FreePictures() {
    for (auto* set : {&pictures_, &secondPictures_})
        for (HBITMAP& b : *set) {
            if (b) DeleteObject(b);
            b = nullptr;
        }
}

void MenuButtons::Draw(const DRAWITEMSTRUCT& item) {
    const int i = static_cast<int>(item.CtlID) - kFirstId;
    if (i < 0 || i >= static_cast<int>(kLayout.size())) return;
    const auto index = static_cast<std::size_t>(i);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    RECT rc = item.rcItem;
    if (backs_[index]) {
        const GdiObject<HBRUSH> back(CreateSolidBrush(*backs_[index]));
        FillRect(item.hDC, &rc, back);
    } else {
        FillRect(item.hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    }
    DrawEdge(item.hDC, &rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    // The second picture, where there is one, is the pressed look.
    HBITMAP picture = (pressed && secondPictures_[index]) ? secondPictures_[index] : pictures_[index];
    if (!picture) return;
    const int shift = (pressed && !secondPictures_[index]) ? 1 : 0;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    // Centred and clipped by the button, as the narrow colour buttons need.
    const int x = (w - pictureSize_) / 2 + shift, y = (h - pictureSize_) / 2 + shift;
    const MemoryDc mem(CreateCompatibleDC(item.hDC));
    const Selected shown(mem, picture);
    const int inset = 2;
    const GdiObject<HRGN> clip(CreateRectRgn(rc.left + inset, rc.top + inset, rc.right - inset, rc.bottom - inset));
    SelectClipRgn(item.hDC, clip);
    BitBlt(item.hDC, x, y, pictureSize_, pictureSize_, mem, 0, 0, SRCCOPY);
    SelectClipRgn(item.hDC, nullptr);
}

}  // namespace kelo

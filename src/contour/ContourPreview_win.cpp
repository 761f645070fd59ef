#include "contour/ContourPreview_win.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "text/Texts.h"
#include "text/WinText_win.h"
#include "ui/Dpi_win.h"
#include "ui/Gdi_win.h"
#include "ui/Paint_win.h"
#include "ui/Placement.h"

namespace kelo {

namespace {

constexpr WindowClass kPreviewClass{L"KeloContourPreview", 0, false, nullptr};
constexpr DWORD kPreviewStyle = WS_POPUP | WS_CAPTION;
// A tool window that is never activated: the dialog keeps the focus, its tab order and its Enter chain.
constexpr DWORD kPreviewExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
constexpr int kWidthAt96 = 480, kHeightAt96 = 320, kGapAt96 = 8, kMinimumAt96 = 160;
constexpr RECT kTableButtonAt96{6, 6, 90, 30};

constexpr COLORREF kBackground = RGB(252, 252, 248);
constexpr COLORREF kAxisColour = RGB(200, 40, 40);
constexpr COLORREF kChainColour = RGB(20, 20, 20);
constexpr COLORREF kPendingColour = RGB(0, 100, 220);
constexpr COLORREF kStartColour = RGB(0, 150, 60);
constexpr COLORREF kCornerColour = RGB(90, 90, 90);
// Orange: apart from the blue of what is entered and the green of the start.
constexpr COLORREF kWorkedColour = RGB(230, 120, 0);
constexpr COLORREF kWrongColour = RGB(220, 0, 0);

int Scaled(int at96, UINT dpi) { return MulDiv(at96, static_cast<int>(dpi), 96); }

HFONT StatusFont(UINT dpi) {
    NONCLIENTMETRICSW ncm{sizeof ncm};
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, dpi);
    return CreateFontIndirectW(&ncm.lfStatusFont);
}

// A push button drawn by the preview itself: a real one would take the focus from the dialog.
void PaintTableButton(HDC dc, RECT r, UINT dpi) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    const GdiObject<HFONT> font(StatusFont(dpi));
    const Selected written(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, Widen(texts::kTablePreviewButton).c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

std::vector<POINT> ToPoints(std::span<const PixelPoint> points) {
    std::vector<POINT> out;
    out.reserve(points.size());
    for (const PixelPoint& p : points) out.push_back(POINT{p.x, p.y});
    return out;
}

// A pen `width` pixels wide; the axis as a centre line, dash and dot, scaled with the width.
HPEN MakePen(COLORREF colour, int width, bool dashDot) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    if (!dashDot) {
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND, width, &brush, 0, nullptr);
    }
    const DWORD unit = static_cast<DWORD>(std::max(1, width));
    const DWORD pattern[] = {12 * unit, 3 * unit, 2 * unit, 3 * unit};
    return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, width, &brush, 4, pattern);
}

}  // namespace

void ContourPreview::Show(HWND toolbar, HWND dialog) {
    if (hwnd() == nullptr &&
        !CreateOf(kPreviewClass, kPreviewExStyle, Widen(texts::kPreviewCaption).c_str(), kPreviewStyle, 0, 0, 0, 0,
                  toolbar))
        return;
    RECT dialogRect{}, toolbarRect{};
    GetWindowRect(dialog, &dialogRect);
    GetWindowRect(toolbar, &toolbarRect);
    const UINT dpi = GetDpiForWindow(dialog);
    const auto placed = PlaceBeside(ToPixelRect(dialogRect), ToPixelRect(toolbarRect),
                                    ToPixelRect(MonitorRectOf(dialog)), Scaled(kWidthAt96, dpi),
                                    Scaled(kHeightAt96, dpi), Scaled(kGapAt96, dpi), Scaled(kMinimumAt96, dpi));
    if (!placed) return;  // no room beside the dialog: better no preview than one that covers it
    SetWindowPos(hwnd(), nullptr, placed->left, placed->top, placed->Width(), placed->Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Rebuild();
}

void ContourPreview::Update(std::vector<ContourSegment> pending, std::optional<Corner> start,
                            std::optional<ContourPoint> marked, std::vector<ContourPoint> worked,
                            std::vector<ContourPoint> wrong) {
    scene_.pending = std::move(pending);
    scene_.start = std::move(start);
    scene_.marked = marked;
    scene_.worked = std::move(worked);
    scene_.wrong = std::move(wrong);
    if (hwnd() == nullptr) return;
    Rebuild();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT ContourPreview::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        HANDLE_MSG(hwnd(), WM_MOUSEACTIVATE, this->OnMouseActivate);
        HANDLE_MSG(hwnd(), WM_PAINT, this->OnPaint);
        HANDLE_MSG(hwnd(), WM_SIZE, this->OnSize);
        HANDLE_MSG(hwnd(), WM_MOUSEMOVE, this->OnMouseMove);
        HANDLE_MSG(hwnd(), WM_LBUTTONDOWN, this->OnLButtonDown);
        case WM_ERASEBKGND: return 1;  // the back buffer paints everything
        case WM_MOUSELEAVE: OnMouseLeave(); return 0;
        case WM_DPICHANGED: OnDpiChanged(reinterpret_cast<const RECT*>(lParam)); return 0;
        default: return DefaultProc(msg, wParam, lParam);
    }
}

// A click never activates the preview: the dialog keeps the focus.
int ContourPreview::OnMouseActivate(HWND, HWND, UINT, UINT) { return MA_NOACTIVATE; }

void ContourPreview::OnPaint(HWND) {
    PaintBuffered(hwnd(), [this](HDC dc, const RECT& client) {
        const UINT dpi = GetDpiForWindow(hwnd());
        PaintContour(dc, client, drawList_, hover_, dpi);
        if (onTable_) PaintTableButton(dc, TableButtonRect(dpi), dpi);
    });
}

RECT ContourPreview::TableButtonRect(UINT dpi) {
    const int d = static_cast<int>(dpi);
    return RECT{Scaled(kTableButtonAt96.left, d), Scaled(kTableButtonAt96.top, d), Scaled(kTableButtonAt96.right, d),
                Scaled(kTableButtonAt96.bottom, d)};
}

void ContourPreview::OnSize(HWND, UINT, int, int) {
    Rebuild();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// Resting on a corner shows its X and Z as a dialog would take them.
void ContourPreview::OnMouseMove(HWND, int x, int y, UINT) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    auto hit = HitCorner(Scene(), drawList_.transform, x, y, HitTolerance());
    if (hit != hover_) {
        hover_ = std::move(hit);
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

// A click on a corner continues the contour from there; a click on the button opens the table.
void ContourPreview::OnLButtonDown(HWND, BOOL, int x, int y, UINT) {
    const RECT button = TableButtonRect(GetDpiForWindow(hwnd()));
    if (onTable_ && PtInRect(&button, POINT{x, y})) {
        onTable_();
        return;
    }
    const auto hit = HitCorner(Scene(), drawList_.transform, x, y, HitTolerance());
    if (hit && onCornerClick_) onCornerClick_(*hit);
}

double ContourPreview::HitTolerance() const { return kHitTolerance * GetDpiForWindow(hwnd()) / 96.0; }

void ContourPreview::OnMouseLeave() {
    trackingLeave_ = false;
    if (hover_) {
        hover_.reset();
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void ContourPreview::OnDpiChanged(const RECT* suggested) {
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ContourPreview::Rebuild() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // With the table's button shown, the drawing stays below it, so that no corner hides there.
    const int inset = onTable_ ? static_cast<int>(TableButtonRect(GetDpiForWindow(hwnd())).bottom) : 0;
    drawList_ = BuildDrawList(Scene(), ViewSize{client.right, client.bottom, inset});
}

void PaintContour(HDC dc, const RECT& client, const DrawList& list, const std::optional<Corner>& hover, UINT dpi) {
    {
        const GdiObject<HBRUSH> background(CreateSolidBrush(kBackground));
        FillRect(dc, &client, background);
    }

    const int line = Scaled(2, dpi), thin = Scaled(1, dpi);
    const GdiObject<HPEN> axis(MakePen(kAxisColour, thin, true)), chain(MakePen(kChainColour, line, false)),
        pending(MakePen(kPendingColour, line, false)), corner(MakePen(kCornerColour, thin, false)),
        start(MakePen(kStartColour, thin, false)), worked(MakePen(kWorkedColour, line, false)),
        wrong(MakePen(kWrongColour, line, false));
    const GdiObject<HBRUSH> startFill(CreateSolidBrush(kStartColour));
    const Selected pen(dc, axis), brush(dc, GetStockObject(NULL_BRUSH));
    for (const DrawItem& item : list.items) {
        const std::vector<POINT> points = ToPoints(list.Points(item));
        const int count = static_cast<int>(points.size());
        switch (item.style) {
            case DrawStyle::Axis: SelectObject(dc, axis); Polyline(dc, points.data(), count); break;
            case DrawStyle::Chain: SelectObject(dc, chain); Polyline(dc, points.data(), count); break;
            case DrawStyle::Pending:
            case DrawStyle::Marked: SelectObject(dc, pending); Polyline(dc, points.data(), count); break;
            case DrawStyle::Corner: SelectObject(dc, corner); Polyline(dc, points.data(), count); break;
            case DrawStyle::Worked: SelectObject(dc, worked); Polyline(dc, points.data(), count); break;
            case DrawStyle::Wrong: SelectObject(dc, wrong); Polyline(dc, points.data(), count); break;
            case DrawStyle::StartMarker:
                SelectObject(dc, start);
                SelectObject(dc, startFill);
                Polygon(dc, points.data(), count);
                SelectObject(dc, GetStockObject(NULL_BRUSH));
                break;
        }
    }
    if (!hover) return;
    // The corner's texts in a small box beside it, kept inside the window.
    const std::wstring label = Widen(CornerLabel(*hover));
    const GdiObject<HFONT> font(StatusFont(dpi));
    const Selected written(dc, font);
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, label.c_str(), -1, &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int pad = Scaled(4, dpi);
    const int x = static_cast<int>(list.transform.X(hover->point.z)) + pad * 2;
    const int y = static_cast<int>(list.transform.Y(hover->point.r)) - box.bottom - pad * 3;
    const int w = box.right + pad * 2, h = box.bottom + pad * 2;
    const int width = static_cast<int>(client.right), height = static_cast<int>(client.bottom);
    RECT frame{};
    frame.left = std::clamp(x, 0, std::max(0, width - w));
    frame.top = std::clamp(y, 0, std::max(0, height - h));
    frame.right = frame.left + w;
    frame.bottom = frame.top + h;
    FillRect(dc, &frame, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT text{frame.left + pad, frame.top + pad, frame.right - pad, frame.bottom - pad};
    DrawTextW(dc, label.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace kelo

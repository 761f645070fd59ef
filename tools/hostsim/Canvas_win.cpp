#include "Canvas_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Text_win.h"
#include "View.h"

namespace kelo::hostsim {
namespace {

constexpr int kHistoryLines = 12;
constexpr int kPad = 4;
constexpr int kMargin = 24;       // canvas pixels kept free around the geometry
constexpr int kCrossHalf = 6;
constexpr COLORREF kCanvasBack = RGB(0, 0, 0);
constexpr COLORREF kGeometry = RGB(255, 255, 255);
constexpr COLORREF kAxis = RGB(255, 64, 64);
constexpr COLORREF kCross = RGB(0, 255, 0);
constexpr COLORREF kHistoryBack = RGB(40, 40, 48);
constexpr COLORREF kHistoryText = RGB(220, 220, 220);
constexpr COLORREF kLineBack = RGB(255, 255, 255);
constexpr COLORREF kLineText = RGB(0, 0, 0);

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, int x, int y, std::wstring_view text) {
    TextOutW(dc, x, y, text.data(), static_cast<int>(text.size()));
}

void PaintGeometry(HDC dc, const RECT& area, const Sketch& sketch) {
    Fill(dc, area, kCanvasBack);
    SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    View view(sketch.Extent(), area.left, area.top, area.right - area.left, area.bottom - area.top, kMargin);

    // The axis r = 0 as a centre line across the whole canvas.
    HPEN axis = CreatePen(PS_DASHDOT, 1, kAxis);
    HGDIOBJ old = SelectObject(dc, axis);
    SetBkMode(dc, TRANSPARENT);
    int axisY = view.ToPixel({0, 0}).y;
    MoveToEx(dc, area.left, axisY, nullptr);
    LineTo(dc, area.right, axisY);

    HPEN pen = CreatePen(PS_SOLID, 2, kGeometry);
    SelectObject(dc, pen);
    for (const Shape& shape : sketch.Shapes()) {
        std::vector<POINT> points;
        if (auto* segment = std::get_if<Segment>(&shape)) {
            for (Point p : {segment->from, segment->to}) {
                Pixel px = view.ToPixel(p);
                points.push_back({px.x, px.y});
            }
        } else {
            for (Point p : ArcPolyline(std::get<Arc>(shape))) {
                Pixel px = view.ToPixel(p);
                points.push_back({px.x, px.y});
            }
        }
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }

    if (auto end = sketch.LastEnd()) {
        HPEN crossPen = CreatePen(PS_SOLID, 1, kCross);
        SelectObject(dc, crossPen);
        Pixel c = view.ToPixel(*end);
        MoveToEx(dc, c.x - kCrossHalf, c.y, nullptr);
        LineTo(dc, c.x + kCrossHalf + 1, c.y);
        MoveToEx(dc, c.x, c.y - kCrossHalf, nullptr);
        LineTo(dc, c.x, c.y + kCrossHalf + 1);
        SelectObject(dc, pen);
        DeleteObject(crossPen);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
    DeleteObject(axis);
    RestoreDC(dc, -1);
}

// Completed lines, the most recent at the bottom.
void PaintHistory(HDC dc, const RECT& area, int lineHeight, const LineEditor& editor) {
    Fill(dc, area, kHistoryBack);
    SetTextColor(dc, kHistoryText);
    SetBkMode(dc, TRANSPARENT);
    const auto& history = editor.History();
    int y = area.bottom - kPad - lineHeight;
    for (auto it = history.rbegin(); it != history.rend() && y >= area.top; ++it, y -= lineHeight) {
        std::wstring wide = Widen(*it);
        Text(dc, area.left + kPad, y, wide);
    }
}

// The line being typed, with a caret after it.
void PaintCommandLine(HDC dc, const RECT& area, const LineEditor& editor) {
    Fill(dc, area, kLineBack);
    SetTextColor(dc, kLineText);
    SetBkMode(dc, TRANSPARENT);
    std::wstring text = L"> ";
    const std::u16string& current = editor.Current();
    text.append(reinterpret_cast<const wchar_t*>(current.data()), current.size());
    int y = area.top + kPad;
    Text(dc, area.left + kPad, y, text);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    RECT caret{area.left + kPad + size.cx + 1, y, area.left + kPad + size.cx + 3, y + size.cy};
    Fill(dc, caret, kLineText);
}

}  // namespace

void PaintHost(HDC dc, const RECT& client, HFONT font, const Sketch& sketch, const LineEditor& editor) {
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int lineHeight = std::max<int>(1, metrics.tmHeight);
    int height = client.bottom - client.top;

    RECT command = client;
    command.top = std::max<int>(client.top, client.bottom - lineHeight - 2 * kPad);
    RECT history = client;
    history.bottom = command.top;
    // The history never takes more than half of what is left, so the canvas stays visible.
    int historyHeight = std::min<int>(kHistoryLines * lineHeight + 2 * kPad, std::max<int>(0, (command.top - client.top) / 2));
    history.top = history.bottom - historyHeight;
    RECT canvas = client;
    canvas.bottom = history.top;

    if (height > 0) {
        PaintGeometry(dc, canvas, sketch);
        PaintHistory(dc, history, lineHeight, editor);
        PaintCommandLine(dc, command, editor);
    }
    SelectObject(dc, oldFont);
}

}  // namespace kelo::hostsim

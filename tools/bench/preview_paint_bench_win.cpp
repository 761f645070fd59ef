// How long a whole redraw of the contour preview takes with GDI: the draw list for
// 500 mixed segments and its painting into an off-screen bitmap, as the preview's
// window does at every change of a box, at 100 % and 200 %. Run it under Wine or on
// Windows: wine build/win/preview_paint_bench.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "ContourSample.h"
#include "contour/ContourPreview_win.h"

namespace {

// `scene` gives the scene to draw at each run: built again where the work includes it.
template <typename Scene>
void Measure(const char* what, Scene scene, int scale) {
    const kelo::ViewSize view{kelo::bench::kView.width * scale, kelo::bench::kView.height * scale};
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, view.width, view.height);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT client{0, 0, view.width, view.height};
    const UINT dpi = static_cast<UINT>(96 * scale);
    const auto paint = kelo::bench::Time([&] {
        const kelo::DrawList list = kelo::BuildDrawList(scene(), view);
        kelo::PaintContour(dc, client, list, std::nullopt, dpi);
        GdiFlush();
    });
    std::printf("%d x %d at %u dpi: ", view.width, view.height, dpi);
    kelo::bench::Report(what, paint);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace

int wmain() {
    const kelo::ContourChain chain = kelo::bench::MakeChain();
    std::string boxes[6];
    const kelo::ContourScene scene = kelo::bench::SampleScene(chain, boxes);
    std::printf("contour preview, whole redraw (draw list and GDI): %zu segments\n", chain.Size());
    const auto same = [&]() -> const kelo::ContourScene& { return scene; };
    Measure("redraw", same, 1);
    Measure("redraw", same, 2);
    // A change of a table cell: the table's contour built again, then the whole redraw.
    const std::vector<kelo::TableRow> rows = kelo::bench::MakeTableRows(kelo::bench::kTableRows);
    const kelo::ContourChain none;
    const auto table = [&] { return kelo::bench::TableScene(none, kelo::BuildContour(rows)); };
    std::printf("contour table of %d rows, built again and redrawn:\n", kelo::bench::kTableRows);
    Measure("table", table, 1);
    Measure("table", table, 2);
    const std::vector<kelo::TableRow> open = kelo::bench::MakeOpenTableRows(kelo::bench::kTableRows);
    const auto solved = [&] { return kelo::bench::TableScene(none, kelo::BuildContour(open)); };
    std::printf("the same with open points worked out:\n");
    Measure("open points", solved, 1);
    Measure("open points", solved, 2);
    return 0;
}

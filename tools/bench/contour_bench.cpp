// How long the contour preview takes to lay out a long contour: the fit alone
// and the whole draw list, for 500 mixed segments in a 600 x 400 view; and how long
// a contour table of 50 rows takes to build its contour and the preview's draw list
// again, as it does at every change of a cell, with every point given and with points
// left open to be worked out.
#include <cstdio>
#include <string>

#include "ContourSample.h"

int main() {
    using namespace kelo::bench;
    const kelo::ContourChain chain = MakeChain();
    std::string boxes[6];
    const kelo::ContourScene scene = SampleScene(chain, boxes);

    // Keeps the timed work from being optimised away.
    volatile std::size_t sink = 0;
    const auto fit = Time([&] {
        const kelo::ViewTransform t = kelo::FitView(kelo::SceneExtent(scene), kView);
        sink = sink + (t.scale > 0);
    });
    const auto draw = Time([&] { sink = sink + kelo::BuildDrawList(scene, kView).points.size(); });

    const kelo::DrawList list = kelo::BuildDrawList(scene, kView);
    std::printf("contour preview: %zu segments, %d x %d view, %zu polylines, %zu points\n", chain.Size(), kView.width,
                kView.height, list.items.size(), list.points.size());
    Report("fit", fit);
    Report("draw list", draw);

    // A change of a cell: the table's contour built again, and the preview's draw list.
    const auto rebuild = [&](const std::vector<kelo::TableRow>& rows) {
        return Time([&] {
            const kelo::ContourScene tableScene = TableScene(chain, kelo::BuildContour(rows));
            sink = sink + kelo::BuildDrawList(tableScene, kView).points.size();
        });
    };
    const std::vector<kelo::TableRow> rows = MakeTableRows(kTableRows);
    const kelo::TableContour contour = kelo::BuildContour(rows);
    std::printf("contour table: %d rows, %zu segments (%s), beside the %zu segments above\n", kTableRows,
                contour.segments.size(), contour.Drawable() ? "drawable" : "refused", chain.Size());
    Report("table", rebuild(rows));

    const std::vector<kelo::TableRow> open = MakeOpenTableRows(kTableRows);
    const kelo::TableContour solved = kelo::BuildContour(open);
    std::printf("contour table with open points: %d rows, %zu worked out, %zu segments (%s)\n", kTableRows,
                solved.WorkedPoints().size(), solved.segments.size(), solved.Drawable() ? "drawable" : "refused");
    Report("table, open points", rebuild(open));
    return 0;
}

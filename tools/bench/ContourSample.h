#pragma once
// A long sample contour and the timing helpers the preview's benchmarks share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "contour/Contour.h"
#include "contour/ContourTable.h"
#include "contour/ContourView.h"
#include "profiles/DialogSegment.h"
#include "text/NumberRules.h"

namespace kelo::bench {

inline constexpr int kSegments = 500;
inline constexpr int kTableRows = 50;
inline constexpr int kRuns = 300;
inline constexpr ViewSize kView{600, 400};

inline Corner At(double x, double z) { return *MakeCorner(NumberText(x), NumberText(z)); }

// A contour that walks towards -Z: faces, longitudinal steps, tapers and both
// kinds of arc in turn, the diameter swinging between 40 and 120.
inline ContourChain MakeChain() {
    ContourChain chain;
    double x = 100, z = 0;
    for (int i = 0; i < kSegments; ++i) {
        const Corner start = At(x, z);
        switch (i % 5) {
            case 0:
                x = x > 80 ? x - 30 : x + 30;
                chain.AddLine(start, At(x, z));
                break;
            case 1:
                z -= 7;
                chain.AddLine(start, At(x, z));
                break;
            case 2:
                x += x > 80 ? -10 : 10;
                z -= 5;
                chain.AddLine(start, At(x, z));
                break;
            case 3:  // concave groove: centre above, the end point typed first
                z -= 8;
                chain.AddArc({z + 4, x / 2 + 3}, start, At(x, z), ArcOrder::EndFirst);
                break;
            default:  // convex bead: centre below, the start point typed first
                z -= 8;
                chain.AddArc({z + 4, x / 2 - 3}, start, At(x, z), ArcOrder::StartFirst);
                break;
        }
    }
    return chain;
}

// A stepped shaft of `count` rows: shoulders with rounds and chamfers, and convex beads
// between them, as a draftsman's table of a long part would hold.
inline std::vector<TableRow> MakeTableRows(int count) {
    std::vector<TableRow> rows{{"0", "0"}};
    const TableRow pattern[] = {
        {"60", "@-10", "R1"}, {"80", "@0", "C0.5"}, {"80", "@-10", "", "凸R12"}, {"80", "@-10"}, {"60", "@0", "C0.5"},
    };
    for (int i = 1; i < count; ++i) rows.push_back(pattern[(i - 1) % 5]);
    rows.back().corner.clear();
    rows.back().element.clear();
    return rows;
}

// The same kind of shaft as a drawing gives it, with points left open: tapers by their
// angle, shoulders where a cylinder meets a face, rounds tangent to the cylinder before
// them, steps by U and W. Seven rows a period, 70 along the axis.
inline std::vector<TableRow> MakeOpenTableRows(int count) {
    std::vector<TableRow> rows{{"0", "0"}};
    for (int i = 1; i < count; ++i) {
        const double base = -70.0 * ((i - 1) / 7) - 5;
        const TableRow period[] = {
            {"60", NumberText(base), "", "A165"}, {"80", "", "", "A180"},  {"", "", "C0.5", "A270"},
            {"60", NumberText(base - 50), "R1"}, {"60", "W-5", "", "凸R5接"}, {"50", ""}, {"U10", "W-3"},
        };
        rows.push_back(period[(i - 1) % 7]);
    }
    rows.back().corner.clear();
    rows.back().element.clear();
    return rows;
}

// The preview's scene while the table is open: the chain typed so far and the table's
// contour, the row being edited marked.
inline ContourScene TableScene(const ContourChain& chain, const TableContour& contour) {
    ContourScene scene{&chain};
    for (const Segment& segment : contour.segments)
        if (auto shape = ShapeOf(segment)) scene.pending.push_back(*shape);
    scene.marked = contour.points.back();
    return scene;
}

template <typename Work>
std::vector<double> Time(Work work) {
    std::vector<double> micros;
    micros.reserve(kRuns);
    for (int run = 0; run < kRuns + 10; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        if (run >= 10) micros.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
    }
    std::sort(micros.begin(), micros.end());
    return micros;
}

inline void Report(const char* what, const std::vector<double>& sorted) {
    const double median = sorted[sorted.size() / 2];
    const double p95 = sorted[sorted.size() * 95 / 100];
    std::printf("%-12s median %8.1f us   p95 %8.1f us   (%zu runs)\n", what, median, p95, sorted.size());
}

// The scene a preview shows at the end of that contour, with a taper being entered.
inline ContourScene SampleScene(const ContourChain& chain, std::string (&boxes)[6]) {
    ContourScene scene{&chain};
    scene.start = chain.Segments().back().end;
    boxes[0] = scene.start->xText;
    boxes[1] = scene.start->zText;
    boxes[3] = "30";
    boxes[5] = "-12";
    if (auto shape = ShapeOf(BoxesSegment(ProfileDialogKind::Taper, boxes))) scene.pending.push_back(*shape);
    return scene;
}

}  // namespace kelo::bench

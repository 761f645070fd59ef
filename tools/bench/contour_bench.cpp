// How long the contour preview takes to lay out a long contour: the fit alone
// and the whole draw list, for 500 mixed segments in a 600 x 400 view.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "profiles/Contour.h"
#include "profiles/ContourView.h"
#include "text/NumberRules.h"

namespace {

using kelo::ArcOrder;
using kelo::ContourChain;
using kelo::ContourPoint;
using kelo::Corner;

constexpr int kSegments = 500;
constexpr int kRuns = 300;
constexpr kelo::ViewSize kView{600, 400};

Corner At(double x, double z) { return *kelo::MakeCorner(kelo::NumberText(x), kelo::NumberText(z)); }

// A contour that walks towards -Z: faces, longitudinal steps, tapers and both
// kinds of arc in turn, the diameter swinging between 40 and 120.
ContourChain MakeChain() {
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

void Report(const char* what, const std::vector<double>& sorted) {
    const double median = sorted[sorted.size() / 2];
    const double p95 = sorted[sorted.size() * 95 / 100];
    std::printf("%-12s median %8.1f us   p95 %8.1f us   (%zu runs)\n", what, median, p95, sorted.size());
}

}  // namespace

int main() {
    const ContourChain chain = MakeChain();
    kelo::ContourScene scene{&chain};
    scene.start = chain.Segments().back().end;
    const std::string boxes[] = {scene.start->xText, scene.start->zText, "", "30", "", "-12"};
    scene.pending = kelo::PendingSegment(kelo::ProfileDialogKind::Taper, boxes);

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
    return 0;
}

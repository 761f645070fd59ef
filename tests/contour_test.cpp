// The contour preview's model: the chain, pending segments from box texts, the
// fit, arcs against the stand-in host's drawing, the draw list and the hit test.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "Sketch.h"
#include "contour/Contour.h"
#include "contour/ContourView.h"
#include "profiles/DialogSegment.h"

namespace kelo {
namespace {

using enum ProfileDialogKind;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Describe(ContourPoint p) { return "(" + std::to_string(p.z) + ", " + std::to_string(p.r) + ")"; }

void ExpectNear(ContourPoint actual, ContourPoint expected) {
    EXPECT_NEAR(actual.z, expected.z, 1e-9) << Describe(actual) << " vs " << Describe(expected);
    EXPECT_NEAR(actual.r, expected.r, 1e-9) << Describe(actual) << " vs " << Describe(expected);
}

ContourChain Chain(std::vector<std::pair<const char*, const char*>> corners) {
    ContourChain chain;
    for (std::size_t i = 1; i < corners.size(); ++i)
        chain.AddLine(*MakeCorner(corners[i - 1].first, corners[i - 1].second),
                      *MakeCorner(corners[i].first, corners[i].second));
    return chain;
}

TEST(Contour, CornersAreThePointsTheHostReadsFromTheBoxTexts) {
    const struct {
        const char *x, *z;
        std::optional<ContourPoint> point;
    } cases[] = {
        {"25.5", "0", ContourPoint{0, 12.75}}, {" 0.3 ", "1E3", ContourPoint{1000, 0.15}},
        {"-20", "-8.00", ContourPoint{-8, -10}}, {"", "0", std::nullopt}, {"60", "abc", std::nullopt},
        {"1e400", "0", std::nullopt}, {"60", "2e9", std::nullopt}, {"inf", "0", std::nullopt}, {"20", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + " / " + c.z);
        EXPECT_EQ(TypedPoint(c.x, c.z), c.point);
        EXPECT_EQ(MakeCorner(c.x, c.z).has_value(), c.point.has_value());
    }
    EXPECT_EQ(MakeCorner("20.0", "-8"), (Corner{{-8, 10}, "20.0", "-8"}));
    EXPECT_EQ(CornerLabel(*MakeCorner("20.0", "-8")), "X 20.0 / Z -8");
}

TEST(Contour, ChainRecordsWhatWasTypedUntilCleared) {
    ContourChain chain;
    EXPECT_TRUE(chain.AddLine(*MakeCorner("100", "0"), *MakeCorner("60", "0")));
    // Concave from (X20, Z0) to (X20, Z-8): the end point went out first.
    EXPECT_TRUE(chain.AddArc({-4, 13}, *MakeCorner("20", "0"), *MakeCorner("20", "-8"), ArcOrder::EndFirst));
    EXPECT_TRUE(chain.AddArc({-4, 7}, *MakeCorner("20", "-8"), *MakeCorner("30", "-12"), ArcOrder::StartFirst));
    EXPECT_FALSE(chain.AddLine(Corner{{kNaN, 0}, "x", "z"}, *MakeCorner("1", "1")));
    EXPECT_FALSE(chain.AddArc({0, INFINITY}, *MakeCorner("1", "1"), *MakeCorner("1", "1"), ArcOrder::EndFirst));
    EXPECT_FALSE(chain.Add({LineShape{{0, 0}, {kNaN, 1}}, *MakeCorner("1", "1"), *MakeCorner("1", "1")}));
    EXPECT_FALSE(chain.Add({LineShape{{0, 0}, {1, 1}}, *MakeCorner("1", "1"), Corner{{1, kNaN}, "", ""}}));
    ASSERT_EQ(chain.Size(), 3u);
    const auto& segments = chain.Segments();
    EXPECT_EQ(segments[0].shape, SegmentShape(LineShape{{0, 50}, {0, 30}}));
    EXPECT_EQ(segments[1].shape, SegmentShape(ArcShape{{-4, 13}, {-8, 10}, {0, 10}}));
    EXPECT_EQ(segments[1].start, *MakeCorner("20", "0"));
    EXPECT_EQ(segments[1].end, *MakeCorner("20", "-8"));
    EXPECT_EQ(segments[2].shape, SegmentShape(ArcShape{{-4, 7}, {-8, 10}, {-12, 15}}));
    chain.Clear();
    EXPECT_TRUE(chain.Empty());
}

ContourSegment Pending(ProfileDialogKind kind, std::vector<std::string> boxes) {
    return ShapeOf(BoxesSegment(kind, boxes)).value();
}

// The segment a dialog's boxes describe, with the corners a successful OK would record.
TEST(Contour, PendingSegmentFromTheBoxes) {
    const struct {
        ProfileDialogKind kind;
        std::vector<std::string> boxes;
        std::optional<SegmentShape> shape;
        const char* endZText = "";
    } cases[] = {
        {Face, {"100", "0", "60"}, LineShape{{0, 50}, {0, 30}}, "0"},
        {Face, {"100", "5.0", "60"}, LineShape{{5, 50}, {5, 30}}, "5"},
        {Face, {"100", "0", ""}, std::nullopt},
        {Face, {"100", "abc", "60"}, std::nullopt},
        {Face, {"1e400", "0", "60"}, std::nullopt},
        {Face, {"100", "0", "-3e9"}, std::nullopt},
        {Face, {"100", "0"}, std::nullopt},
        {Long, {"60", "0", "", "-25.50"}, LineShape{{0, 30}, {-25.5, 30}}, "-25.5"},
        {Long, {"60", "0", "-25", ""}, std::nullopt},
        {Long, {" ", "0", "", "-25"}, std::nullopt},
        {Taper, {"60", "-25", "30", "80", "", "-7.6794"}, LineShape{{-25, 30}, {-7.6794, 40}}, "-7.6794"},
        {Taper, {"60", "-25", "30", "", "", "-7.6794"}, std::nullopt},
        {Taper, {"60", "-25", "30", "80", "", "abc"}, std::nullopt},
        {Arc1, {"20", "0", "5", "26", "-4", "20", "-8"}, ArcShape{{-4, 13}, {-8, 10}, {0, 10}}, "-8"},
        {Arc2, {"20", "0", "5", "14", "-4", "20", "-8"}, ArcShape{{-4, 7}, {0, 10}, {-8, 10}}, "-8"},
        {Arc1, {"20", "-8", "", "26", "-4", "20", "0"}, ArcShape{{-4, 13}, {-8, 10}, {0, 10}}, "0"},
        {Arc2, {"20", "-8", "", "14", "-4", "20", "0"}, ArcShape{{-4, 7}, {0, 10}, {-8, 10}}, "0"},
        {Arc2, {"20", "0", "", "20", "5", "40", "0"}, ArcShape{{5, 10}, {0, 10}, {0, 20}}, "0"},
        {Arc1, {"20", "0", "5", "", "-4", "20", "-8"}, std::nullopt},
        {Arc2, {"20", "0", "5", "14", "-4", "20", "1e400"}, std::nullopt},
        {Arc2, {"20", "0", "5", "14", "-4", "20"}, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<ContourSegment> pending = ShapeOf(BoxesSegment(c.kind, c.boxes));
        SCOPED_TRACE(c.boxes[0] + "|" + c.boxes[1] + "|" + c.boxes.back());
        ASSERT_EQ(pending.has_value(), c.shape.has_value());
        if (!pending) continue;
        EXPECT_EQ(pending->shape, *c.shape);
        EXPECT_EQ(pending->start.xText + "|" + pending->start.zText + "|" + pending->end.zText,
                  c.boxes[0] + "|" + c.boxes[1] + "|" + c.endZText);
    }
}

TEST(ContourView, FitKeepsOneScaleAndTheMargin) {
    const struct {
        Extent extent;
        ViewSize size;
        double scale;
        double xLeft, yBottom;  // pixel of (zMin, rMin)
    } cases[] = {
        {{0, 100, 0, 50, false}, {600, 400}, 5.76, 12, 344},      {{0, 10, 0, 100, false}, {600, 400}, 3.76, 281.2, 388},
        {{0, 10, 0, 100, false}, {600, 400, 30}, 3.46, 282.7, 388},  // below a button's 30 px
        {{5, 5, 5, 5, false}, {600, 400}, 376, 300, 200},         {{3, 3, -40, 0, false}, {600, 400}, 9.4, 300, 388},
        {{}, {600, 400}, 376, 300, 200},                          {{0, 100, 0, 50, false}, {10, 10}, 0.01, 4.5, 5.25},
        {{0, 100, 0, 50, false}, {0, 0}, 0.01, -0.5, 0.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        const ViewTransform t = FitView(c.extent, c.size);
        EXPECT_NEAR(t.scale, c.scale, 1e-9);
        EXPECT_NEAR(t.X(c.extent.zMin), c.xLeft, 1e-9);
        EXPECT_NEAR(t.Y(c.extent.rMin), c.yBottom, 1e-9);
        EXPECT_NEAR(t.X(1) - t.X(0), t.Y(0) - t.Y(1), 1e-12);  // as long across as up, r upwards
        ExpectNear(t.ToHost(t.X(c.extent.zMax), t.Y(c.extent.rMax)), {c.extent.zMax, c.extent.rMax});
    }
}

TEST(ContourView, SceneExtentHoldsTheAxisArcBulgesStartMarkedAndWorkedPoints) {
    ContourChain chain = Chain({{"100", "10"}, {"60", "10"}});
    chain.AddArc({-4, 7}, *MakeCorner("20", "0"), *MakeCorner("20", "-8"), ArcOrder::StartFirst);  // top at r 12
    const ContourScene scene{&chain, {Pending(Long, {"60", "10", "", "30"})}, MakeCorner("-10", "-20")};
    const Extent e = SceneExtent(scene);
    EXPECT_EQ(std::vector({e.zMin, e.zMax, e.rMin, e.rMax}), std::vector<double>({-20, 30, -5, 50}));
    const ContourChain high = Chain({{"100", "1"}, {"80", "2"}});
    EXPECT_EQ(SceneExtent({&high}).rMin, 0);  // the axis r = 0
    EXPECT_EQ(SceneExtent({&high, {}, std::nullopt, ContourPoint{9, 70}}).zMax, 9);
    EXPECT_EQ(SceneExtent({&high, {}, std::nullopt, ContourPoint{9, 70}}).rMax, 70);
    EXPECT_EQ(SceneExtent({&high, {}, std::nullopt, std::nullopt, {{-7, 60}}}).zMin, -7);  // a worked-out point
    // An eighth of a turn above the axis: its end, not a quarter point, bounds it.
    const ContourScene eighth{nullptr, {{ArcShape{{0, 20}, {10, 20}, {17, 37}}, {}, {}}}};
    EXPECT_NEAR(SceneExtent(eighth).rMax, 20 + std::sqrt(50.0), 1e-9);
    EXPECT_EQ(SceneExtent(eighth).rMin, 0);
}

// Every sample lies on the stand-in host's own drawing of the arc, from its first point to its last.
TEST(ContourView, ArcsRunAsTheHostDrawsThem) {
    const ArcShape arcs[] = {
        {{-4, 13}, {-8, 10}, {0, 10}},          // concave, typed end first
        {{-4, 7}, {0, 10}, {-8, 10}},           // convex, typed start first
        {{0, 0}, {-10, 0.001}, {-10, -0.001}},  // the short way across the seam at -Z
        {{0, 0}, {-10, -0.001}, {-10, 0.001}},  // nearly a full turn from below the seam
        {{2, 3}, {7, 3}, {7, 3}},               // one point twice: a full circle
        {{0, 0}, {10, 0}, {0, 50}},             // second point off the circle: ends on its ray
        {{0, 0}, {0, 0}, {5, 5}},               // no radius
    };
    for (const ArcShape& arc : arcs) {
        SCOPED_TRACE(Describe(arc.centre) + Describe(arc.first) + Describe(arc.second));
        const auto host = hostsim::ArcPolyline(
            {{arc.centre.z, arc.centre.r}, {arc.first.z, arc.first.r}, {arc.second.z, arc.second.r}}, 3600);
        const std::vector<ContourPoint> ours = SampleArc(arc, 20);
        ASSERT_GE(ours.size(), 2u);
        ExpectNear(ours.front(), {host.front().z, host.front().r});
        ExpectNear(ours.back(), {host.back().z, host.back().r});
        const double radius = std::hypot(arc.first.z - arc.centre.z, arc.first.r - arc.centre.r);
        for (ContourPoint p : ours) {
            double nearest = INFINITY;
            for (hostsim::Point h : host) nearest = std::min(nearest, std::hypot(p.z - h.z, p.r - h.r));
            ASSERT_LE(nearest, radius * 1e-3 + 1e-9) << Describe(p);
        }
    }
    // One step per 3 pixels round, eight steps a turn at least, never more than the most.
    const ArcShape circle{{0, 0}, {10, 0}, {10, 0}};
    EXPECT_EQ(SampleArc(circle, 0.001).size(), 9u);
    EXPECT_EQ(SampleArc(circle, 10).size(), 211u);  // 628 pixels round
    EXPECT_EQ(SampleArc(circle, 1e6).size(), kMaxArcSteps + 1u);
    EXPECT_TRUE(SampleArc(circle, 0).empty());
}

PixelPoint Pixel(double x, double y) {
    return {static_cast<int>(std::floor(x + 0.5)), static_cast<int>(std::floor(y + 0.5))};
}

TEST(ContourView, DrawListStrokesEachPartInOrderWithItsMarkers) {
    ContourChain chain = Chain({{"100", "0"}, {"60", "0"}, {"60", "-25"}});
    chain.AddArc({-29, 36}, *MakeCorner("60", "-25"), *MakeCorner("80", "-33"), ArcOrder::EndFirst);
    const ContourScene scene{&chain, {Pending(Face, {"80", "-33", "100"})}, MakeCorner("80", "-33"),
                             ContourPoint{-25, 30}, {{0, 30}, {kNaN, 1}}, {{0, 50}}};
    const DrawList list = BuildDrawList(scene, {600, 400});
    std::vector<DrawStyle> styles;
    for (const DrawItem& item : list.items) styles.push_back(item.style);
    using enum DrawStyle;
    // Four corners: a start that repeats the previous end is marked once.
    EXPECT_EQ(styles,
              (std::vector{Axis, Chain, Chain, Chain, Corner, Corner, Corner, Corner, Pending, Worked, Wrong,
                           StartMarker, Marked}));
    const ViewTransform& t = list.transform;
    const auto points = [&](std::size_t item) {
        const auto span = list.Points(list.items[item]);
        return std::vector<PixelPoint>(span.begin(), span.end());
    };
    EXPECT_EQ(points(0), (std::vector{Pixel(0, t.Y(0)), Pixel(600, t.Y(0))}));
    EXPECT_EQ(points(1), (std::vector{Pixel(t.X(0), t.Y(50)), Pixel(t.X(0), t.Y(30))}));
    // Squares about the corners and the marked point, a diamond about the start.
    const struct {
        std::size_t item;
        ContourPoint at;
        double size;
        bool diamond;
    } markers[] = {{4, {0, 50}, 3, false},   {5, {0, 30}, 3, false},   {6, {-25, 30}, 3, false},
                   {7, {-33, 40}, 3, false}, {10, {0, 50}, 6, false},  {11, {-33, 40}, 6, true},
                   {12, {-25, 30}, 5, false}};
    for (const auto& m : markers) {
        SCOPED_TRACE(m.item);
        const double x = t.X(m.at.z), y = t.Y(m.at.r), s = m.size;
        const std::vector<PixelPoint> want =
            m.diamond ? std::vector{Pixel(x, y - s), Pixel(x + s, y), Pixel(x, y + s), Pixel(x - s, y), Pixel(x, y - s)}
                      : std::vector{Pixel(x - s, y - s), Pixel(x + s, y - s), Pixel(x + s, y + s), Pixel(x - s, y + s),
                                    Pixel(x - s, y - s)};
        EXPECT_EQ(points(m.item), want);
    }
    // A closed ring about the worked-out point; the one that is not a number is left out.
    const std::vector<PixelPoint> ring = points(9);
    EXPECT_EQ(ring.size(), kWorkedMarkerSteps + 1u);
    EXPECT_EQ(ring.front(), ring.back());
    for (PixelPoint p : ring) EXPECT_NEAR(std::hypot(p.x - t.X(0), p.y - t.Y(30)), kWorkedMarkerSize, 0.75);
}

// Pixel (x, y) is (z, -r): the nearest corner within the tolerance, the earlier one on a tie.
TEST(ContourView, HitTestFindsTheNearestCornerWithinTolerance) {
    const ContourChain chain = Chain({{"100", "0"}, {"60", "0"}, {"60", "-25"}});
    const ContourScene scene{&chain, {}, MakeCorner("60.0", "-25")};
    const ViewTransform t{1, 0, 0, 0, 0};
    const struct {
        double x, y, tolerance;
        const char* label;  // nullptr: nothing hit
    } cases[] = {
        {0, -50, 6, "X 100 / Z 0"},        {6, -50, 6, "X 100 / Z 0"},    {6.01, -50, 6, nullptr},
        {3, -46, 6, "X 100 / Z 0"},        {0, -39, 30, "X 60 / Z 0"},    {0, -41, 30, "X 100 / Z 0"},
        {-25, -30, 6, "X 60 / Z -25"},  // the chain's end before the start at the same place
        {-12.5, -30, 6, nullptr},          {-12.5, -30, 12.5, "X 60 / Z 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        const std::optional<Corner> hit = HitCorner(scene, t, c.x, c.y, c.tolerance);
        EXPECT_EQ(hit ? CornerLabel(*hit) : "none", c.label ? c.label : "none");
    }
    EXPECT_EQ(HitCorner({nullptr, {}, MakeCorner("0", "0")}, t, 1, 1), MakeCorner("0", "0"));
}

// Whatever is typed, the draw list holds only polylines of small ints inside the guard band.
TEST(ContourView, RandomScenesStayInRange) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(-1, 1), magnitude(-4, 10);
    const double oddities[] = {kNaN, INFINITY, -INFINITY, 1e300, 0, 2e9};
    const auto number = [&] {
        return random() % 20 == 0 ? oddities[random() % 6] : unit(random) * std::pow(10.0, magnitude(random));
    };
    const auto point = [&] { return ContourPoint{number(), number()}; };
    const ViewSize sizes[] = {{600, 400}, {0, 0}, {1, 3}, {2000000000, 2000000000}, {-5, 100}};
    for (int round = 0; round < 300; ++round) {
        ContourChain chain;
        for (int i = static_cast<int>(random() % 12); i > 0; --i) {
            const Corner a{point(), "a", "a"}, b{point(), "b", "b"};
            if (random() % 2 == 0) chain.AddLine(a, b);
            else chain.AddArc(point(), a, b, random() % 2 ? ArcOrder::StartFirst : ArcOrder::EndFirst);
        }
        ContourScene scene{&chain};
        if (random() % 2) scene.pending.push_back(ContourSegment{ArcShape{point(), point(), point()}, {}, {}});
        if (random() % 2) scene.start = Corner{point(), "s", "s"};
        if (random() % 2) scene.marked = point();
        if (random() % 2) scene.worked = {point(), point()};
        const ViewSize size = sizes[round % std::size(sizes)];
        const DrawList list = BuildDrawList(scene, size);
        ASSERT_TRUE(std::isfinite(list.transform.scale) && list.transform.scale > 0) << round;
        const int guard = static_cast<int>(kClipGuard), xLimit = std::clamp(size.width, 0, 1 << 20) + guard,
                  yLimit = std::clamp(size.height, 0, 1 << 20) + guard;
        for (const DrawItem& item : list.items) {
            ASSERT_TRUE(item.count >= 2 && item.first + item.count <= list.points.size()) << round;
            const auto points = list.Points(item);
            for (std::size_t i = 0; i < points.size(); ++i)
                ASSERT_TRUE(points[i].x >= -guard && points[i].x <= xLimit && points[i].y >= -guard && points[i].y <= yLimit &&
                            (i == 0 || points[i] != points[i - 1])) << round << ": " << points[i].x << "," << points[i].y;
        }
    }
}

}  // namespace
}  // namespace kelo

// The contour preview's model: the chain, pending segments from box texts, the
// fit, arcs against the stand-in host's drawing, the draw list and the hit test.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Sketch.h"
#include "profiles/Contour.h"
#include "profiles/ContourView.h"
#include "profiles/Segment.h"

namespace kelo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Describe(ContourPoint p) { return "(" + std::to_string(p.z) + ", " + std::to_string(p.r) + ")"; }

void ExpectNear(ContourPoint actual, ContourPoint expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.z, expected.z, tolerance) << Describe(actual) << " vs " << Describe(expected);
    EXPECT_NEAR(actual.r, expected.r, tolerance) << Describe(actual) << " vs " << Describe(expected);
}

TEST(Contour, TypedPointReadsTheBoxesAsTheHostGetsThem) {
    const struct {
        const char *x, *z;
        std::optional<ContourPoint> point;
    } cases[] = {
        {"25.5", "0", ContourPoint{0, 12.75}},
        {" 0.3 ", "1E3", ContourPoint{1000, 0.15}},
        {"-20", "-8.00", ContourPoint{-8, -10}},
        {"", "0", std::nullopt},
        {"60", "abc", std::nullopt},
        {"1e400", "0", std::nullopt},
        {"60", "2e9", std::nullopt},
        {"inf", "0", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + " / " + c.z);
        EXPECT_EQ(TypedPoint(c.x, c.z), c.point);
    }
}

TEST(Contour, CornersKeepTheirTextsAndLabelThem) {
    const std::optional<Corner> corner = MakeCorner("20.0", "-8");
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->point, (ContourPoint{-8, 10}));
    EXPECT_EQ(CornerLabel(*corner), "X 20.0 / Z -8");
    EXPECT_FALSE(MakeCorner("20", ""));
}

TEST(Contour, ChainRecordsWhatWasTypedUntilCleared) {
    ContourChain chain;
    EXPECT_TRUE(chain.AddLine(*MakeCorner("100", "0"), *MakeCorner("60", "0")));
    // Concave from (X20, Z0) to (X20, Z-8): the end point went out first.
    EXPECT_TRUE(chain.AddArc({-4, 13}, *MakeCorner("20", "0"), *MakeCorner("20", "-8"), ArcOrder::EndFirst));
    EXPECT_TRUE(chain.AddArc({-4, 7}, *MakeCorner("20", "-8"), *MakeCorner("30", "-12"), ArcOrder::StartFirst));
    EXPECT_FALSE(chain.AddLine(Corner{{kNaN, 0}, "x", "z"}, *MakeCorner("1", "1")));
    ASSERT_EQ(chain.Size(), 3u);

    const auto& segments = chain.Segments();
    EXPECT_EQ(segments[0].shape, SegmentShape(LineShape{{0, 50}, {0, 30}}));
    EXPECT_EQ(segments[1].shape, SegmentShape(ArcShape{{-4, 13}, {-8, 10}, {0, 10}}));
    EXPECT_EQ(segments[1].start.zText, "0");
    EXPECT_EQ(segments[1].end.xText, "20");
    EXPECT_EQ(segments[2].shape, SegmentShape(ArcShape{{-4, 7}, {-8, 10}, {-12, 15}}));

    chain.Clear();
    EXPECT_TRUE(chain.Empty());
    EXPECT_TRUE(chain.Segments().empty());
}

TEST(Contour, TypedOrderFollowsTheSense) {
    const struct {
        ArcSense sense;
        double startZ, endZ;
        ArcOrder order;
    } cases[] = {
        {ArcSense::Concave, 0, -8, ArcOrder::EndFirst},   {ArcSense::Concave, -8, 0, ArcOrder::StartFirst},
        {ArcSense::Concave, 5, 5, ArcOrder::StartFirst},  {ArcSense::Convex, 0, -8, ArcOrder::StartFirst},
        {ArcSense::Convex, -8, 0, ArcOrder::EndFirst},    {ArcSense::Convex, 5, 5, ArcOrder::StartFirst},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.startZ) + " -> " + std::to_string(c.endZ));
        EXPECT_EQ(TypedOrder(c.sense, c.startZ, c.endZ), c.order);
    }
}

ContourSegment Pending(ProfileDialogKind kind, std::vector<std::string> boxes) {
    return ShapeOf(BoxesSegment(kind, boxes)).value();
}

TEST(Contour, PendingSegmentFromTheBoxes) {
    using Boxes = std::vector<std::string>;
    const struct {
        const char* name;
        ProfileDialogKind kind;
        Boxes boxes;
        std::optional<SegmentShape> shape;
        const char* endZText = "";
    } cases[] = {
        {"face", ProfileDialogKind::Face, {"100", "0", "60"}, LineShape{{0, 50}, {0, 30}}, "0"},
        {"face, Z as typed", ProfileDialogKind::Face, {"100", "5.0", "60"}, LineShape{{5, 50}, {5, 30}}, "5"},
        {"face, end X empty", ProfileDialogKind::Face, {"100", "0", ""}, std::nullopt},
        {"face, start Z abc", ProfileDialogKind::Face, {"100", "abc", "60"}, std::nullopt},
        {"face, overflow", ProfileDialogKind::Face, {"1e400", "0", "60"}, std::nullopt},
        {"face, absurd", ProfileDialogKind::Face, {"100", "0", "-3e9"}, std::nullopt},
        {"face, too few boxes", ProfileDialogKind::Face, {"100", "0"}, std::nullopt},
        {"long", ProfileDialogKind::Long, {"60", "0", "", "-25.50"}, LineShape{{0, 30}, {-25.5, 30}}, "-25.5"},
        {"long, end Z empty", ProfileDialogKind::Long, {"60", "0", "-25", ""}, std::nullopt},
        {"long, start X blank", ProfileDialogKind::Long, {" ", "0", "", "-25"}, std::nullopt},
        {"taper", ProfileDialogKind::Taper, {"60", "-25", "30", "80", "", "-7.6794"}, LineShape{{-25, 30}, {-7.6794, 40}},
         "-7.6794"},
        {"taper, end X empty", ProfileDialogKind::Taper, {"60", "-25", "30", "", "", "-7.6794"}, std::nullopt},
        {"taper, end Z abc", ProfileDialogKind::Taper, {"60", "-25", "30", "80", "", "abc"}, std::nullopt},
        {"concave", ProfileDialogKind::Arc1, {"20", "0", "5", "26", "-4", "20", "-8"},
         ArcShape{{-4, 13}, {-8, 10}, {0, 10}}, "-8"},
        {"convex", ProfileDialogKind::Arc2, {"20", "0", "5", "14", "-4", "20", "-8"},
         ArcShape{{-4, 7}, {0, 10}, {-8, 10}}, "-8"},
        {"concave towards +Z", ProfileDialogKind::Arc1, {"20", "-8", "", "26", "-4", "20", "0"},
         ArcShape{{-4, 13}, {-8, 10}, {0, 10}}, "0"},
        {"convex towards +Z", ProfileDialogKind::Arc2, {"20", "-8", "", "14", "-4", "20", "0"},
         ArcShape{{-4, 7}, {0, 10}, {-8, 10}}, "0"},
        {"convex, equal Z", ProfileDialogKind::Arc2, {"20", "0", "", "20", "5", "40", "0"},
         ArcShape{{5, 10}, {0, 10}, {0, 20}}, "0"},
        {"arc, centre empty", ProfileDialogKind::Arc1, {"20", "0", "5", "", "-4", "20", "-8"}, std::nullopt},
        {"arc, end Z 1e400", ProfileDialogKind::Arc2, {"20", "0", "5", "14", "-4", "20", "1e400"}, std::nullopt},
        {"arc, six boxes", ProfileDialogKind::Arc2, {"20", "0", "5", "14", "-4", "20"}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<ContourSegment> pending = ShapeOf(BoxesSegment(c.kind, c.boxes));
        ASSERT_EQ(pending.has_value(), c.shape.has_value());
        if (!pending) continue;
        EXPECT_EQ(pending->shape, *c.shape);
        // The corners are those a successful OK would record.
        EXPECT_EQ(pending->start.xText, c.boxes[0]);
        EXPECT_EQ(pending->start.zText, c.boxes[1]);
        EXPECT_EQ(pending->end.zText, c.endZText);
    }
}

TEST(ContourView, FitKeepsOneScaleAndTheMargin) {
    const struct {
        const char* name;
        Extent extent;
        ViewSize size;
        double scale;
        double xLeft, yBottom;  // pixel of (zMin, rMin)
    } cases[] = {
        {"wide", {0, 100, 0, 50, false}, {600, 400}, 5.76, 12, 344},
        {"tall", {0, 10, 0, 100, false}, {600, 400}, 3.76, 281.2, 388},
        {"tall, below a button's 30 px", {0, 10, 0, 100, false}, {600, 400, 30}, 3.46, 282.7, 388},
        {"single point", {5, 5, 5, 5, false}, {600, 400}, 376, 300, 200},
        {"vertical line", {3, 3, -40, 0, false}, {600, 400}, 9.4, 300, 388},
        {"nothing", {}, {600, 400}, 376, 300, 200},
        {"tiny window", {0, 100, 0, 50, false}, {10, 10}, 0.01, 4.5, 5.25},
        {"no window", {0, 100, 0, 50, false}, {0, 0}, 0.01, -0.5, 0.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ViewTransform t = FitView(c.extent, c.size);
        EXPECT_NEAR(t.scale, c.scale, 1e-9);
        EXPECT_NEAR(t.X(c.extent.zMin), c.xLeft, 1e-9);
        EXPECT_NEAR(t.Y(c.extent.rMin), c.yBottom, 1e-9);
        // One drawing unit is as long across as up, and r grows upwards.
        EXPECT_NEAR(t.X(1) - t.X(0), t.Y(0) - t.Y(1), 1e-12);
        ExpectNear(t.ToHost(t.X(c.extent.zMax), t.Y(c.extent.rMax)), {c.extent.zMax, c.extent.rMax});
    }
}

TEST(ContourView, SceneExtentHoldsTheAxisArcBulgesAndStart) {
    ContourChain chain;
    chain.AddLine(*MakeCorner("100", "10"), *MakeCorner("60", "10"));
    chain.AddArc({-4, 7}, *MakeCorner("20", "0"), *MakeCorner("20", "-8"), ArcOrder::StartFirst);  // top at r 12
    ContourScene scene{&chain, {Pending(ProfileDialogKind::Long, {"60", "10", "", "30"})}, MakeCorner("-10", "-20")};
    const Extent e = SceneExtent(scene);
    EXPECT_DOUBLE_EQ(e.zMin, -20);
    EXPECT_DOUBLE_EQ(e.zMax, 30);
    EXPECT_DOUBLE_EQ(e.rMin, -5);
    EXPECT_DOUBLE_EQ(e.rMax, 50);

    ContourChain high;
    high.AddLine(*MakeCorner("100", "1"), *MakeCorner("80", "2"));
    EXPECT_DOUBLE_EQ(SceneExtent({&high}).rMin, 0);  // the axis r = 0
}

// Every sample lies on the stand-in host's own drawing of the arc, from its first point to its last.
TEST(ContourView, ArcsRunAsTheHostDrawsThem) {
    const ArcShape arcs[] = {
        {{-4, 13}, {-8, 10}, {0, 10}},     // concave, typed end first
        {{-4, 7}, {0, 10}, {-8, 10}},      // convex, typed start first
        {{0, 0}, {-10, 0.001}, {-10, -0.001}},  // the short way across the seam at -Z
        {{0, 0}, {-10, -0.001}, {-10, 0.001}},  // nearly a full turn from below the seam
        {{2, 3}, {7, 3}, {7, 3}},          // one point twice: a full circle
        {{0, 0}, {10, 0}, {0, 50}},        // second point off the circle: ends on its ray
        {{0, 0}, {0, 0}, {5, 5}},          // no radius
    };
    for (const ArcShape& arc : arcs) {
        SCOPED_TRACE(Describe(arc.centre) + Describe(arc.first) + Describe(arc.second));
        using kelo::hostsim::Point;
        const std::vector<Point> host = hostsim::ArcPolyline(
            {{arc.centre.z, arc.centre.r}, {arc.first.z, arc.first.r}, {arc.second.z, arc.second.r}}, 3600);
        const std::vector<ContourPoint> ours = SampleArc(arc, 20);
        ASSERT_GE(ours.size(), 2u);
        ExpectNear(ours.front(), {host.front().z, host.front().r});
        ExpectNear(ours.back(), {host.back().z, host.back().r});
        const double radius = std::hypot(arc.first.z - arc.centre.z, arc.first.r - arc.centre.r);
        for (ContourPoint p : ours) {
            double nearest = INFINITY;
            for (Point h : host) nearest = std::min(nearest, std::hypot(p.z - h.z, p.r - h.r));
            ASSERT_LE(nearest, radius * 1e-3 + 1e-9) << Describe(p);
        }
    }
}

TEST(ContourView, ArcStepsFollowTheLengthOnScreen) {
    const ArcShape circle{{0, 0}, {10, 0}, {10, 0}};
    const struct {
        double scale;
        std::size_t minPoints, maxPoints;
    } cases[] = {
        {0.001, 9, 9},  // a dot still gets eight steps
        {10, 200, 250},  // 628 pixels round
        {1e6, kMaxArcSteps + 1, kMaxArcSteps + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        const std::size_t n = SampleArc(circle, c.scale).size();
        EXPECT_GE(n, c.minPoints);
        EXPECT_LE(n, c.maxPoints);
    }
}

TEST(ContourView, DrawListStylesInOrder) {
    ContourChain chain;
    chain.AddLine(*MakeCorner("100", "0"), *MakeCorner("60", "0"));
    chain.AddLine(*MakeCorner("60", "0"), *MakeCorner("60", "-25"));
    chain.AddArc({-29, 36}, *MakeCorner("60", "-25"), *MakeCorner("80", "-33"), ArcOrder::EndFirst);
    const ContourScene scene{&chain, {Pending(ProfileDialogKind::Face, {"80", "-33", "100"})}, MakeCorner("80", "-33")};
    const DrawList list = BuildDrawList(scene, {600, 400});
    std::vector<DrawStyle> styles;
    for (const DrawItem& item : list.items) styles.push_back(item.style);
    using enum DrawStyle;
    // Four corners: a start that repeats the previous end is marked once.
    EXPECT_EQ(styles, (std::vector{Axis, Chain, Chain, Chain, Corner, Corner, Corner, Corner, Pending, StartMarker}));

    const auto axis = list.Points(list.items[0]);
    ASSERT_EQ(axis.size(), 2u);
    EXPECT_EQ(axis[0], (PixelPoint{0, static_cast<int>(std::lround(list.transform.Y(0)))}));
    EXPECT_EQ(axis[1].x, 600);
    const auto face = list.Points(list.items[1]);
    ASSERT_EQ(face.size(), 2u);
    EXPECT_EQ(face[0].x, face[1].x);
    EXPECT_LT(face[0].y, face[1].y);  // from r 50 down to r 30
}

TEST(ContourView, HitTestFindsTheNearestCornerWithinTolerance) {
    ContourChain chain;
    chain.AddLine(*MakeCorner("100", "0"), *MakeCorner("60", "0"));
    chain.AddLine(*MakeCorner("60", "0"), *MakeCorner("60", "-25"));
    const ContourScene scene{&chain, {}, MakeCorner("60.0", "-25")};
    const ViewTransform t = FitView(SceneExtent(scene), {600, 400});
    const struct {
        ContourPoint near;
        double dx, dy;
        const char* label;  // nullptr: nothing hit
    } cases[] = {
        {{0, 50}, 0, 0, "X 100 / Z 0"},      {{0, 30}, 3, -4, "X 60 / Z 0"},
        {{0, 30}, 5, 5, nullptr},            {{-25, 30}, -1, 1, "X 60 / Z -25"},  // the chain's end before the start
        {{-12.5, 30}, 0, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.near));
        const std::optional<Corner> hit = HitCorner(scene, t, t.X(c.near.z) + c.dx, t.Y(c.near.r) + c.dy);
        ASSERT_EQ(hit.has_value(), c.label != nullptr);
        if (hit) {
            EXPECT_EQ(CornerLabel(*hit), c.label);
        }
    }
    ContourChain empty;
    const ContourScene startOnly{&empty, {}, MakeCorner("0", "0")};
    const ViewTransform s = FitView(SceneExtent(startOnly), {600, 400});
    EXPECT_EQ(HitCorner(startOnly, s, s.X(0), s.Y(0)), MakeCorner("0", "0"));
}

// Whatever is typed, the draw list holds only small ints inside the guard band.
TEST(ContourView, RandomScenesStayInRange) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_real_distribution<double> magnitude(-4, 10);
    const double oddities[] = {kNaN, INFINITY, -INFINITY, 1e300, 0, 2e9};
    auto coordinate = [&] {
        if (random() % 20 == 0) return oddities[random() % std::size(oddities)];
        return unit(random) * std::pow(10.0, magnitude(random));
    };
    auto point = [&] { return ContourPoint{coordinate(), coordinate()}; };
    const ViewSize sizes[] = {{600, 400}, {0, 0}, {1, 3}, {2000000000, 2000000000}, {-5, 100}};
    for (int round = 0; round < 300; ++round) {
        ContourChain chain;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            const Corner a{point(), "a", "a"}, b{point(), "b", "b"};
            if (random() % 2 == 0) {
                chain.AddLine(a, b);
            } else {
                chain.AddArc(point(), a, b, random() % 2 ? ArcOrder::StartFirst : ArcOrder::EndFirst);
            }
        }
        ContourScene scene{&chain};
        if (random() % 2) scene.pending.push_back(ContourSegment{ArcShape{point(), point(), point()}, {}, {}});
        if (random() % 2) scene.start = Corner{point(), "s", "s"};
        const ViewSize size = sizes[round % std::size(sizes)];
        const DrawList list = BuildDrawList(scene, size);
        SCOPED_TRACE(round);
        ASSERT_TRUE(std::isfinite(list.transform.scale) && list.transform.scale > 0);
        const int xLimit = std::clamp(size.width, 0, 1 << 20) + static_cast<int>(kClipGuard);
        const int yLimit = std::clamp(size.height, 0, 1 << 20) + static_cast<int>(kClipGuard);
        for (const DrawItem& item : list.items) {
            ASSERT_LE(item.first + item.count, list.points.size());
            ASSERT_GE(item.count, 2u);
            const auto points = list.Points(item);
            for (std::size_t i = 0; i < points.size(); ++i) {
                ASSERT_GE(points[i].x, -kClipGuard);
                ASSERT_LE(points[i].x, xLimit);
                ASSERT_GE(points[i].y, -kClipGuard);
                ASSERT_LE(points[i].y, yLimit);
                if (i > 0) {
                    ASSERT_NE(points[i], points[i - 1]);
                }
            }
        }
    }
}

}  // namespace
}  // namespace kelo

#include "contour/ContourTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "contour/TableCells.h"
#include "contour/Undercut.h"
#include "geometry/Geometry.h"
#include "text/FormatCoord.h"
#include "text/NumberRules.h"
#include "text/Texts.h"

namespace kelo {

namespace {

// How far a point given in full may lie from the angled line or tangent arc it ends.
constexpr double kOnTolerance = 0.001;

Turn Opposite(Turn turn) { return turn == Turn::Counterclockwise ? Turn::Clockwise : Turn::Counterclockwise; }

// A convex tangent arc turns counterclockwise after an element running toward -Z or along
// a face, clockwise after one running toward +Z (the side the arc dialogs give a convex
// centre); a concave one the other way.
Turn TangentTurn(ArcSense sense, Point arriving) {
    const Turn convex = arriving.z > 1e-12 ? Turn::Clockwise : Turn::Counterclockwise;
    return sense == ArcSense::Convex ? convex : Opposite(convex);
}

// An arc element's centre and the way it runs from its start to its end.
struct ArcPath {
    Circle circle;
    Turn turn = Turn::Counterclockwise;
};

// Works out the open points from the elements around them, then checks the points given
// in full against the angled lines and tangent arcs they end.
class Solver {
   public:
    Solver(std::span<const RowValues> rows, std::vector<TableProblem>& found)
        : rows_(rows), found_(found), r_(rows.size()), z_(rows.size()), named_(rows.size()), arcs_(rows.size()) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].x.kind == Coordinate::Kind::Value) r_[i] = rows[i].x.value / 2;
            if (rows[i].z.kind == Coordinate::Kind::Value) z_[i] = rows[i].z.value;
        }
        // A row with a cell that cannot be read is named already: nothing is worked out for it.
        for (const TableProblem& problem : found)
            if (static_cast<std::size_t>(problem.row) <= rows.size()) named_[static_cast<std::size_t>(problem.row - 1)] = true;
    }

    void Run() {
        for (bool changed = true; changed;) {
            changed = false;
            for (std::size_t i = 1; i < rows_.size(); ++i) changed |= Step(i);
        }
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (!Known(i) && !named_[i]) Name(i, texts::kTableUndetermined);
            if (rows_[i].element == Element::TangentArc && i == 0) Name(i, texts::kTableTangentAtFirst);
        }
        for (std::size_t i = 0; i + 1 < rows_.size(); ++i) Check(i);
    }

    std::optional<Point> At(std::size_t i) const {
        if (!Known(i)) return std::nullopt;
        return Point{*z_[i], *r_[i]};
    }

    // A tangent arc's circle and turn, once its start and the element arriving there are known.
    std::optional<ArcPath> TangentArc(std::size_t i) {
        if (arcs_[i] || rows_[i].element != Element::TangentArc || i == 0 || !Known(i)) return arcs_[i];
        const std::optional<Point> arriving = Arriving(i);
        if (!arriving) return std::nullopt;
        const Turn turn = TangentTurn(rows_[i].sense, *arriving);
        arcs_[i] = ArcPath{TangentCircle(*At(i), *arriving, rows_[i].radius, turn), turn};
        return arcs_[i];
    }

   private:
    bool Known(std::size_t i) const { return r_[i] && z_[i]; }

    void Name(std::size_t i, std::string_view reason) {
        found_.push_back({static_cast<int>(i + 1), std::string(reason)});
        named_[i] = true;
    }

    // The element's direction of travel where it arrives at row i.
    std::optional<Point> Arriving(std::size_t i) {
        const RowValues& before = rows_[i - 1];
        const std::optional<Point> from = At(i - 1), to = At(i);
        if (!from || !to || *from == *to) return std::nullopt;
        switch (before.element) {
            case Element::Line:
            case Element::Angle: return Unit(*to - *from);
            case Element::Arc: {
                const std::optional<Point> centre = ArcCentre(*from, *to, before.radius, before.sense);
                if (!centre) return std::nullopt;
                // The host draws counterclockwise from the point typed first.
                const bool startFirst = TypedOrder(before.sense, from->z, to->z) == ArcOrder::StartFirst;
                return TangentAt(*centre, *to, startFirst ? Turn::Counterclockwise : Turn::Clockwise);
            }
            case Element::TangentArc: {
                const std::optional<ArcPath> path = TangentArc(i - 1);
                if (!path) return std::nullopt;
                return TangentAt(path->circle.centre, *to, path->turn);
            }
        }
        return std::nullopt;
    }

    // A step from the row before, once that row is known: through the text, as a typed sum would be.
    bool Resolve(std::optional<double>& value, const Coordinate& cell, const std::optional<double>& before,
                 double scale) {
        if (value || cell.kind != Coordinate::Kind::Step || !before) return false;
        value = ReadNumber(NumberText(*before * scale + cell.value));
        if (value) *value /= scale;
        return value.has_value();
    }

    // The line an angled element lays through a known point: the one arriving at row i
    // from the row before, or the one leaving row i for the row after.
    std::optional<Line> AngleArriving(std::size_t i) const {
        if (rows_[i - 1].element != Element::Angle || !Known(i - 1)) return std::nullopt;
        return Line{*At(i - 1), DirectionAt(rows_[i - 1].angle)};
    }
    std::optional<Line> AngleLeaving(std::size_t i) const {
        if (i + 1 >= rows_.size() || rows_[i].element != Element::Angle || !Known(i + 1)) return std::nullopt;
        return Line{*At(i + 1), DirectionAt(rows_[i].angle)};
    }

    // One coordinate known, the other open: on a line through the known one.
    std::optional<Point> OnLine(const Line& line, std::size_t i) const {
        return z_[i] ? AtZ(line, *z_[i]) : AtR(line, *r_[i]);
    }

    bool Set(std::size_t i, Point p) {
        z_[i] = p.z;
        r_[i] = p.r;
        return true;
    }

    bool Step(std::size_t i) {
        const RowValues& row = rows_[i];
        bool changed = Resolve(r_[i], row.x, r_[i - 1], 2) | Resolve(z_[i], row.z, z_[i - 1], 1);
        if (Known(i) || named_[i]) return changed;
        const bool xOpen = row.x.kind == Coordinate::Kind::Open, zOpen = row.z.kind == Coordinate::Kind::Open;
        const std::optional<Line> arriving = AngleArriving(i), leaving = AngleLeaving(i);
        if (xOpen && zOpen) {
            if (!arriving || !leaving) return changed;
            const std::optional<Point> crossing = Intersect(*arriving, *leaving);
            if (!crossing) {
                Name(i, texts::kTableParallelAngles);
                return changed;
            }
            return Set(i, *crossing);
        }
        if (!r_[i] && !z_[i]) return changed;  // a step still waiting for the row before
        for (const std::optional<Line>& line : {arriving, leaving}) {
            if (!line) continue;
            if (const std::optional<Point> p = OnLine(*line, i)) return Set(i, *p);
        }
        if (rows_[i - 1].element != Element::TangentArc) return changed;
        const std::optional<ArcPath> path = TangentArc(i - 1);
        if (!path) return changed;
        const std::vector<Point> candidates = z_[i] ? CircleAtZ(path->circle, *z_[i]) : CircleAtR(path->circle, *r_[i]);
        const std::optional<Point> first = FirstReached(path->circle, *At(i - 1), path->turn, candidates);
        if (!first) {
            Name(i, texts::kTableTangentNeverReaches);
            return changed;
        }
        return Set(i, *first);
    }

    // The element from row i to the next: an angled line must reach its end ahead of it, a
    // tangent arc must pass through its end. The row named is the point that misses: the
    // end, unless the end was given and the start worked out.
    void Check(std::size_t i) {
        const std::optional<Point> from = At(i), to = At(i + 1);
        if (!from || !to || named_[i] || named_[i + 1]) return;
        const std::size_t blame = rows_[i + 1].Worked() || !rows_[i].Worked() ? i + 1 : i;
        if (rows_[i].element == Element::Angle) {
            const Line line{*from, DirectionAt(rows_[i].angle)};
            if (Off(line, *to) > kOnTolerance) {
                Name(blame, texts::kTableOffAngleLine);
            } else if (*from != *to && Along(line, *to) <= 0) {
                Name(blame, texts::kTableBehindAngle);
            }
        } else if (rows_[i].element == Element::TangentArc) {
            if (const std::optional<ArcPath> path = TangentArc(i)) {
                if (std::fabs(Length(*to - path->circle.centre) - path->circle.radius) > kOnTolerance)
                    Name(blame, texts::kTableOffTangentArc);
            }
        }
    }

    std::span<const RowValues> rows_;
    std::vector<TableProblem>& found_;
    std::vector<std::optional<double>> r_, z_;
    std::vector<bool> named_;  // a problem is named for the row: not worked on further
    std::vector<std::optional<ArcPath>> arcs_;
};

SegmentPoint Typed(Point p) { return CoordinatePoint(p.z, p.r); }

// A straight line, unless its two ends are typed as the same point (a corner took all of it).
void AddLine(std::vector<Segment>& out, Point from, Point to) {
    Segment line{SegmentKind::Line, Typed(from), Typed(to), {}, {}};
    if (line.start == line.end) return;
    out.push_back(std::move(line));
}

// An arc element: its centre by the arc dialogs' own rule for a radius and an end point.
Segment ArcElement(Point from, Point to, ArcSense sense, double radius) {
    const std::optional<Point> centre = ArcCentre(from, to, radius, sense);
    if (!centre) throw RowError(texts::kTableChordTooLong);
    return Segment{SegmentKind::Arc, Typed(from), Typed(to), Typed(*centre), TypedOrder(sense, from.z, to.z)};
}

// An arc that runs from `from` to `to` as `path` turns; the host draws counterclockwise
// from the point it gets first.
Segment PathArc(Point from, Point to, const ArcPath& path) {
    return Segment{SegmentKind::Arc, Typed(from), Typed(to), Typed(path.circle.centre),
                   path.turn == Turn::Counterclockwise ? ArcOrder::StartFirst : ArcOrder::EndFirst};
}

// A corner as it is cut: what it takes from the line arriving and from the line leaving
// (less than 0: what it adds), where they now end and begin, and what goes between.
struct Cut {
    double trimIn = 0, trimOut = 0;
    Point in, out;
    std::vector<Segment> between;
};

Cut ChamferOrRound(const CornerCut& corner, CornerKind kind) {
    Cut cut{corner.trim, corner.trim, corner.in, corner.out, {}};
    if (kind == CornerKind::Chamfer) {
        AddLine(cut.between, corner.in, corner.out);
    } else {
        // The round's arc from where the incoming line ends to where the outgoing one begins.
        const bool counterclockwise = Cross(corner.in - corner.centre, corner.out - corner.centre) > 0;
        cut.between.push_back(PathArc(corner.in, corner.out,
                                      ArcPath{{corner.centre, 0}, counterclockwise ? Turn::Counterclockwise : Turn::Clockwise}));
    }
    return cut;
}

Cut Undercut(const UndercutCut& undercut) {
    Cut cut{undercut.trimIn, undercut.trimOut, undercut.in, undercut.out, {}};
    for (const UndercutElement& e : undercut.elements) {
        if (e.arc) {
            cut.between.push_back(PathArc(e.from, e.to, ArcPath{{e.centre, 0}, e.turn}));
        } else {
            AddLine(cut.between, e.from, e.to);
        }
    }
    return cut;
}

// Every element whose two ends are known, each fault named with its row. A faulty element
// is left out and a corner that cannot be cut is left uncut, so that the preview still
// shows the rest of the contour; 作図 types the elements only when nothing is named. An
// undercut sized from its cylinder's diameter leaves the designation it took in `sized`.
std::vector<Segment> BuildSegments(std::span<const RowValues> rows, Solver& solver, const UndercutNorms& norms,
                                   std::vector<std::string>& sized, std::vector<TableProblem>& found) {
    const std::size_t n = rows.size();
    std::vector<std::optional<Point>> p(n);
    for (std::size_t i = 0; i < n; ++i) {
        p[i] = solver.At(i);
        if (p[i] && !Believable(*p[i])) p[i].reset();  // named below
    }
    auto at = [&](std::size_t row, auto check) {
        try {
            check();
            return true;
        } catch (const RowError& e) {
            found.push_back({static_cast<int>(row + 1), e.reason});
            return false;
        }
    };
    // A line between two known and different points: where the contour goes on.
    auto joined = [&](std::size_t i) { return p[i] && p[i + 1] && *p[i] != *p[i + 1]; };
    // Every corner first, so that a line knows what both of its ends give away.
    std::vector<std::optional<Cut>> cuts(n);
    for (std::size_t i = 0; i < n; ++i) {
        at(i, [&] {
            if (solver.At(i) && !p[i]) throw RowError(texts::kTableTooLarge);
            if (i > 0 && p[i] && p[i - 1] && *p[i] == *p[i - 1]) throw RowError(texts::kTableSamePoint);
            if (i + 1 == n && rows[i].element != Element::Line) throw RowError(texts::kTableElementAtLast);
            if (!rows[i].HasCorner()) return;
            if (i == 0 || i + 1 == n) throw RowError(texts::kTableCornerAtEnd);
            if (rows[i - 1].IsArc() || rows[i].IsArc()) throw RowError(texts::kTableCornerNextToArc);
            if (!joined(i - 1) || !joined(i)) return;  // nothing to cut yet, or named as the same point
            if (rows[i].undercut) {
                const auto size = SizeUndercut(*rows[i].undercut, p[i]->r * 2, norms);
                if (const auto* why = std::get_if<std::string>(&size)) throw RowError(*why);
                const UndercutSize& sizes = std::get<UndercutSize>(size);
                if (sizes.fromDiameter) sized[i] = sizes.designation;
                const auto undercut = CutUndercut(*p[i - 1], *p[i], *p[i + 1], sizes);
                if (const auto* why = std::get_if<std::string>(&undercut)) throw RowError(*why);
                cuts[i] = Undercut(std::get<UndercutCut>(undercut));
                return;
            }
            const std::optional<CornerCut> corner =
                CutCorner(*p[i - 1], *p[i], *p[i + 1], *rows[i].corner, rows[i].cornerSize);
            if (!corner) throw RowError(texts::kTableCornerOnStraight);
            cuts[i] = ChamferOrRound(*corner, *rows[i].corner);
        });
    }
    // A line too short for its corners names the corner at its end, where there is one,
    // and goes without that corner.
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (rows[i].IsArc() || !joined(i)) continue;
        const double length = Length(*p[i + 1] - *p[i]);
        auto taken = [&] { return (cuts[i] ? cuts[i]->trimOut : 0) + (cuts[i + 1] ? cuts[i + 1]->trimIn : 0); };
        if (taken() <= length * (1 + 1e-9)) continue;
        const std::size_t corner = cuts[i + 1] ? i + 1 : i;
        at(corner, [] { throw RowError(texts::kTableCornerTooLarge); });
        cuts[corner].reset();
        if (taken() > length * (1 + 1e-9)) cuts[i].reset();
    }
    std::vector<Segment> segments;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (!joined(i)) continue;
        const Point from = *p[i], to = *p[i + 1];
        at(i, [&] {
            switch (rows[i].element) {
                case Element::Arc: segments.push_back(ArcElement(from, to, rows[i].sense, rows[i].radius)); return;
                case Element::TangentArc: {
                    const std::optional<ArcPath> path = solver.TangentArc(i);
                    if (!path) throw RowError(texts::kTableUndetermined);
                    segments.push_back(PathArc(from, to, *path));
                    return;
                }
                case Element::Line:
                case Element::Angle:
                    AddLine(segments, cuts[i] ? cuts[i]->out : from, cuts[i + 1] ? cuts[i + 1]->in : to);
                    return;
            }
        });
        if (const auto& cut = cuts[i + 1]) segments.insert(segments.end(), cut->between.begin(), cut->between.end());
    }
    return segments;
}

// A coordinate as the worked-out column shows it: 4 decimals, or "?" while it is open.
std::string Shown(std::optional<double> value) {
    if (!value || !(std::fabs(*value) <= kLargestCoordinate)) return std::string(texts::kTableWorkedOpen);
    return FormatCoord(*value);
}

std::string WorkedText(const RowValues& row, const std::optional<Point>& p) {
    if (!row.Worked()) return {};
    std::optional<double> x = p ? std::optional(p->r * 2) : std::nullopt, z = p ? std::optional(p->z) : std::nullopt;
    if (row.x.kind == Coordinate::Kind::Value) x = row.x.value;
    if (row.z.kind == Coordinate::Kind::Value) z = row.z.value;
    return Fill(Fill(texts::kTableWorkedPoint, Shown(x)), Shown(z));
}

}  // namespace

TableContour BuildContour(std::span<const TableRow> rows, const UndercutNorms& norms) {
    TableContour contour;
    std::vector<TableProblem> found;
    if (rows.size() > kMaxTableRows) {
        found.push_back({static_cast<int>(kMaxTableRows + 1), std::string(texts::kCsvTooManyRows)});
        rows = rows.first(kMaxTableRows);
    }
    std::vector<RowValues> values;
    values.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        values.push_back(ReadRow(rows[i], i == 0, found, static_cast<int>(i + 1)));
    Solver solver(values, found);
    solver.Run();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::optional<Point> p = solver.At(i);
        contour.points.push_back(p);
        contour.worked.push_back(WorkedText(values[i], p));
        contour.solved.push_back(p && values[i].Worked());
    }
    std::vector<std::string> sized(values.size());
    contour.segments = BuildSegments(values, solver, norms, sized, found);
    // The designation an undercut took from its diameter, beside what else was worked out.
    for (std::size_t i = 0; i < sized.size(); ++i) {
        if (sized[i].empty()) continue;
        std::string& shown = contour.worked[i];
        shown += (shown.empty() ? "" : "  ") + sized[i];
    }
    // Several problems of one row name the row once.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
    for (const TableProblem& p : found)
        if (contour.problems.empty() || contour.problems.back().row != p.row) contour.problems.push_back(p);
    if (!contour.problems.empty()) contour.problem = contour.problems.front();
    contour.problemCount = static_cast<int>(contour.problems.size());
    return contour;
}

std::vector<ContourPoint> TableContour::WrongPoints() const {
    std::vector<ContourPoint> out;
    for (const TableProblem& p : problems) {
        const auto row = static_cast<std::size_t>(p.row - 1);
        if (row < points.size() && points[row]) out.push_back(*points[row]);
    }
    return out;
}

std::string CellsProblem(const TableRow& row) {
    std::vector<TableProblem> found;
    ReadRow(row, false, found, 1);
    for (const TableProblem& p : found) {
        for (const std::string_view unreadable : {texts::kTableXNotNumber, texts::kTableZNotNumber,
                                                   texts::kTableCornerUnreadable, texts::kTableElementUnreadable})
            if (p.reason == unreadable) return p.reason;
    }
    return {};
}

std::vector<ContourPoint> TableContour::WorkedPoints() const {
    std::vector<ContourPoint> out;
    for (std::size_t i = 0; i < points.size() && i < solved.size(); ++i)
        if (solved[i]) out.push_back(*points[i]);
    return out;
}

std::string ProblemLine(const TableContour& contour) {
    if (!contour.problem) return contour.segments.empty() ? std::string(texts::kTableNeedTwoPoints) : std::string();
    std::string line = Fill(Fill(texts::kTableRowProblem, std::to_string(contour.problem->row)), contour.problem->reason);
    if (contour.problemCount > 1) line += Fill(texts::kTableMoreProblems, std::to_string(contour.problemCount - 1));
    return line;
}

}  // namespace kelo

#include "profiles/ContourTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "profiles/ArcSolver.h"
#include "text/NumberRules.h"
#include "text/Texts.h"
#include "text/Utf.h"

namespace kelo {

namespace {

// What a row's cells say, once read.
struct RowValues {
    std::optional<double> x, z;  // z resolved from a length
    enum class Corner : std::uint8_t { None, Chamfer, Round } corner = Corner::None;
    double cornerSize = 0;
    std::optional<ArcSense> arc;  // the element to the next row: a line when none
    double arcRadius = 0;
};

struct Vec {
    double z = 0, r = 0;
};
Vec operator+(Vec a, Vec b) { return {a.z + b.z, a.r + b.r}; }
Vec operator-(Vec a, Vec b) { return {a.z - b.z, a.r - b.r}; }
Vec operator*(double k, Vec a) { return {k * a.z, k * a.r}; }
double Dot(Vec a, Vec b) { return a.z * b.z + a.r * b.r; }
double Cross(Vec a, Vec b) { return a.z * b.r - a.r * b.z; }
double Length(Vec a) { return std::hypot(a.z, a.r); }
Vec Unit(Vec a) { return (1 / Length(a)) * a; }

// A problem found while reading a row; the row is taken from where it is raised.
struct RowError {
    explicit RowError(std::string_view why) : reason(why) {}
    std::string reason;
};

// Blanks around a cell never count, and full-width letters and digits read as their ASCII forms.
std::string Clean(std::string_view cell) {
    const std::string narrow = NarrowWidth(cell);
    const auto first = narrow.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return narrow.substr(first, narrow.find_last_not_of(" \t") - first + 1);
}

double Number(std::string_view text, std::string_view notNumber) {
    double value = 0;
    try {
        value = ParseNumber(text);
    } catch (const NumberError&) {
        throw RowError(notNumber);
    }
    if (!(std::fabs(value) <= kLargestCoordinate)) throw RowError(texts::kTableTooLarge);
    return value;
}

// A size after its letter ("C 1", "R0.5"): a positive number.
double Size(std::string_view text, std::string_view unreadable) {
    const double size = Number(text, unreadable);
    if (!(size > 0)) throw RowError(texts::kTableSizeNotPositive);
    return size;
}

void ReadCorner(const std::string& cell, RowValues& v) {
    if (cell.empty()) return;
    const char letter = static_cast<char>(cell[0] & ~0x20);  // upper case
    if (letter != 'C' && letter != 'R') throw RowError(texts::kTableCornerUnreadable);
    v.corner = letter == 'C' ? RowValues::Corner::Chamfer : RowValues::Corner::Round;
    v.cornerSize = Size(std::string_view(cell).substr(1), texts::kTableCornerUnreadable);
}

void ReadElement(const std::string& cell, RowValues& v) {
    if (cell.empty()) return;
    constexpr std::string_view kConcave = "凹", kConvex = "凸";
    std::string_view rest = cell;
    if (rest.starts_with(kConcave)) {
        v.arc = ArcSense::Concave;
        rest.remove_prefix(kConcave.size());
    } else if (rest.starts_with(kConvex)) {
        v.arc = ArcSense::Convex;
        rest.remove_prefix(kConvex.size());
    } else {
        throw RowError(texts::kTableElementUnreadable);
    }
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    if (!rest.empty() && (rest.front() == 'R' || rest.front() == 'r')) rest.remove_prefix(1);
    v.arcRadius = Size(rest, texts::kTableElementUnreadable);
}

// The row's own cells, Z from the previous row's Z where the cell is a length.
RowValues ReadRow(const TableRow& row, std::optional<double> previousZ, bool first, std::vector<TableProblem>& found,
                  int number) {
    RowValues v;
    auto attempt = [&](auto read) {
        try {
            read();
        } catch (const RowError& e) {
            found.push_back({number, e.reason});
        }
    };
    attempt([&] {
        const std::string x = Clean(row.x);
        if (x.empty()) throw RowError(texts::kTableXEmpty);
        v.x = Number(x, texts::kTableXNotNumber);
    });
    attempt([&] {
        const std::string z = Clean(row.z);
        if (z.empty()) throw RowError(texts::kTableZEmpty);
        if (!z.starts_with(kLengthMark)) {
            v.z = Number(z, texts::kTableZNotNumber);
            return;
        }
        if (first) throw RowError(texts::kTableLengthInFirstRow);
        const double length = Number(Clean(std::string_view(z).substr(kLengthMark.size())), texts::kTableZNotNumber);
        // Unknown when the previous row's Z could not be read: that row is named already.
        if (previousZ) v.z = Number(NumberText(*previousZ + length), texts::kTableTooLarge);
    });
    attempt([&] { ReadCorner(Clean(row.corner), v); });
    attempt([&] { ReadElement(Clean(row.element), v); });
    return v;
}

// A corner's trimmed points: where the incoming line ends and the outgoing one begins,
// and for a round the centre of its arc.
struct CornerCut {
    double trim = 0;  // length taken from each of the two lines
    Vec in, out, centre;
};

CornerCut CutCorner(Vec before, Vec at, Vec after, const RowValues& v) {
    const Vec u1 = Unit(before - at), u2 = Unit(after - at);
    if (std::fabs(Cross(u1, u2)) < 1e-12) throw RowError(texts::kTableCornerOnStraight);
    CornerCut cut;
    if (v.corner == RowValues::Corner::Chamfer) {
        cut.trim = v.cornerSize;  // both legs of the chamfer
    } else {
        const double half = std::acos(std::clamp(Dot(u1, u2), -1.0, 1.0)) / 2;
        cut.trim = v.cornerSize / std::tan(half);
        cut.centre = at + (v.cornerSize / std::sin(half)) * Unit(u1 + u2);
    }
    cut.in = at + cut.trim * u1;
    cut.out = at + cut.trim * u2;
    return cut;
}

SegmentPoint Typed(Vec p) { return CoordinatePoint(p.z, p.r); }

// A straight line, unless its two ends are typed as the same point (a corner took all of it).
void AddLine(std::vector<Segment>& out, Vec from, Vec to) {
    Segment line{SegmentKind::Line, Typed(from), Typed(to), {}, {}};
    if (line.start == line.end) return;
    out.push_back(std::move(line));
}

// An arc element: its centre by the arc dialogs' own rule for a radius and an end point.
Segment ArcElement(Vec from, Vec to, ArcSense sense, double radius) {
    ArcBoxes boxes{NumberText(from.r * 2), NumberText(from.z), NumberText(radius), "", "", NumberText(to.r * 2),
                   NumberText(to.z)};
    ProfileState scratch;
    const ArcSolveResult solved = SolveArc(sense, boxes, scratch);
    if (!solved.problem.empty() || solved.rule != ArcRule::Centre) throw RowError(solved.problem);
    const Vec centre{ParseNumber(boxes[4]), ParseNumber(boxes[3]) / 2};
    return Segment{SegmentKind::Arc, Typed(from), Typed(to), Typed(centre), TypedOrder(sense, from.z, to.z)};
}

// A round's arc from where the incoming line ends to where the outgoing one begins;
// the host draws counterclockwise from the point it gets first.
Segment RoundArc(const CornerCut& cut) {
    const bool counterclockwise = Cross(cut.in - cut.centre, cut.out - cut.centre) > 0;
    return Segment{SegmentKind::Arc, Typed(cut.in), Typed(cut.out), Typed(cut.centre),
                   counterclockwise ? ArcOrder::StartFirst : ArcOrder::EndFirst};
}

// The segments of `rows`. With `openEnd`, the rows are the first part of a table whose
// next row cannot be read yet: the last one's corner and element wait for that row.
std::vector<Segment> BuildSegments(std::span<const RowValues> rows, bool openEnd, std::vector<TableProblem>& found) {
    const std::size_t n = rows.size();
    std::vector<Vec> p(n);
    for (std::size_t i = 0; i < n; ++i) p[i] = {*rows[i].z, *rows[i].x / 2};

    auto at = [&](std::size_t row, auto check) {
        try {
            check();
        } catch (const RowError& e) {
            found.push_back({static_cast<int>(row + 1), e.reason});
        }
    };
    // Every corner first, so that a line knows what both of its ends give away.
    std::vector<std::optional<CornerCut>> cuts(n);
    for (std::size_t i = 0; i < n; ++i) {
        at(i, [&] {
            if (i > 0 && Length(p[i] - p[i - 1]) == 0) throw RowError(texts::kTableSamePoint);
            if (i + 1 == n && openEnd) return;
            if (i + 1 == n && rows[i].arc) throw RowError(texts::kTableElementAtLast);
            if (rows[i].corner == RowValues::Corner::None) return;
            if (i == 0 || i + 1 == n) throw RowError(texts::kTableCornerAtEnd);
            if (rows[i - 1].arc || rows[i].arc) throw RowError(texts::kTableCornerNextToArc);
            if (Length(p[i] - p[i - 1]) == 0 || Length(p[i + 1] - p[i]) == 0) return;  // named as the same point
            cuts[i] = CutCorner(p[i - 1], p[i], p[i + 1], rows[i]);
        });
    }
    std::vector<Segment> segments;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (Length(p[i + 1] - p[i]) == 0) continue;
        // A line that cannot hold its corners names the corner at its end, where there is one.
        at(cuts[i + 1] ? i + 1 : i, [&] {
            if (rows[i].arc) {
                segments.push_back(ArcElement(p[i], p[i + 1], *rows[i].arc, rows[i].arcRadius));
                return;
            }
            const double length = Length(p[i + 1] - p[i]);
            const double taken = (cuts[i] ? cuts[i]->trim : 0) + (cuts[i + 1] ? cuts[i + 1]->trim : 0);
            if (taken > length * (1 + 1e-9)) throw RowError(texts::kTableCornerTooLarge);
            AddLine(segments, cuts[i] ? cuts[i]->out : p[i], cuts[i + 1] ? cuts[i + 1]->in : p[i + 1]);
        });
        if (const auto& cut = cuts[i + 1]) {
            if (rows[i + 1].corner == RowValues::Corner::Chamfer) {
                AddLine(segments, cut->in, cut->out);
            } else {
                segments.push_back(RoundArc(*cut));
            }
        }
    }
    return segments;
}

}  // namespace

TableContour BuildContour(std::span<const TableRow> rows) {
    TableContour contour;
    std::vector<TableProblem> found;
    if (rows.size() > kMaxTableRows) {
        found.push_back({static_cast<int>(kMaxTableRows + 1), std::string(texts::kCsvTooManyRows)});
        rows = rows.first(kMaxTableRows);
    }
    std::vector<RowValues> values;
    values.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::optional<double> previousZ = i > 0 ? values[i - 1].z : std::nullopt;
        values.push_back(ReadRow(rows[i], previousZ, i == 0, found, static_cast<int>(i + 1)));
        const RowValues& v = values.back();
        contour.points.push_back(v.x && v.z ? std::optional<ContourPoint>(ContourPoint{*v.z, *v.x / 2}) : std::nullopt);
    }
    // The rows before the first one that cannot be read are built all the same: their
    // own faults are named, and the preview shows what is there while the user types on.
    const auto unread = std::find_if(values.begin(), values.end(), [](const RowValues& v) { return !v.x || !v.z; });
    const std::span<const RowValues> readable(values.data(), static_cast<std::size_t>(unread - values.begin()));
    const bool complete = found.empty() && unread == values.end();
    contour.segments = BuildSegments(readable, !complete, found);
    if (!found.empty()) {
        // Several problems of one row name the row once.
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
        contour.problem = found.front();
        std::vector<int> rowsWrong;
        for (const TableProblem& p : found)
            if (rowsWrong.empty() || rowsWrong.back() != p.row) rowsWrong.push_back(p.row);
        contour.problemCount = static_cast<int>(rowsWrong.size());
        // What the preview shows: the contour up to the row before the first wrong one.
        std::vector<TableProblem> again;
        const auto before = static_cast<std::size_t>(contour.problem->row - 1);
        contour.segments = BuildSegments(readable.first(std::min(before, readable.size())), true, again);
    }
    return contour;
}

std::string ProblemLine(const TableContour& contour) {
    if (!contour.problem) return contour.segments.empty() ? std::string(texts::kTableNeedTwoPoints) : std::string();
    std::string line = Fill(Fill(texts::kTableRowProblem, std::to_string(contour.problem->row)), contour.problem->reason);
    if (contour.problemCount > 1) line += Fill(texts::kTableMoreProblems, std::to_string(contour.problemCount - 1));
    return line;
}

}  // namespace kelo

#include "contour/TableCells.h"

#include <cmath>

#include "text/NumberRules.h"
#include "text/Texts.h"
#include "text/Utf.h"

namespace kelo {

namespace {

// Blanks around a cell never count, and full-width letters and digits read as their ASCII forms.
std::string Clean(std::string_view cell) {
    const std::string narrow = NarrowWidth(cell);
    return std::string(TrimBlanks(narrow));
}

double Number(std::string_view text, std::string_view notNumber) {
    const std::optional<double> value = ReadNumber(Clean(text));
    if (!value) throw RowError(notNumber);
    if (!(std::fabs(*value) <= kLargestCoordinate)) throw RowError(texts::kTableTooLarge);
    return *value;
}

// A size after its letter ("C 1", "R0.5"): a positive number.
double Size(std::string_view text, std::string_view unreadable) {
    const double size = Number(text, unreadable);
    if (!(size > 0)) throw RowError(texts::kTableSizeNotPositive);
    return size;
}

bool StartsWithLetter(std::string_view cell, char upper) {
    return !cell.empty() && (cell.front() == upper || cell.front() == upper + ('a' - 'A'));
}

// An X or Z cell: a number, a step after one of `stepMarks` (one character each), or empty.
Coordinate ReadCoordinateCell(const std::string& cell, std::string_view stepMarks, std::string_view notNumber) {
    if (cell.empty()) return {};
    for (const char mark : stepMarks) {
        if (cell.front() == mark) {
            // Read before the result is made: a cell that is no number must leave the row's cell open.
            const double step = Number(std::string_view(cell).substr(1), notNumber);
            return {Coordinate::Kind::Step, step};
        }
    }
    const double value = Number(cell, notNumber);
    return {Coordinate::Kind::Value, value};
}

void ReadCorner(const std::string& cell, RowValues& v) {
    if (cell.empty()) return;
    if ((v.undercut = ReadUndercutCell(cell))) return;
    if (!StartsWithLetter(cell, 'C') && !StartsWithLetter(cell, 'R')) throw RowError(texts::kTableCornerUnreadable);
    // Taken only once its size reads: a corner half typed is no corner.
    v.cornerSize = Size(std::string_view(cell).substr(1), texts::kTableCornerUnreadable);
    v.corner = StartsWithLetter(cell, 'C') ? CornerKind::Chamfer : CornerKind::Round;
}

void ReadElement(const std::string& cell, RowValues& v) {
    if (cell.empty()) return;
    if (StartsWithLetter(cell, 'A')) {
        v.angle = Number(std::string_view(cell).substr(1), texts::kTableElementUnreadable);
        v.element = Element::Angle;
        return;
    }
    constexpr std::string_view kConcave = "凹", kConvex = "凸", kTangent = "接";
    std::string_view rest = cell;
    if (rest.starts_with(kConcave)) {
        v.sense = ArcSense::Concave;
        rest.remove_prefix(kConcave.size());
    } else if (rest.starts_with(kConvex)) {
        v.sense = ArcSense::Convex;
        rest.remove_prefix(kConvex.size());
    } else {
        throw RowError(texts::kTableElementUnreadable);
    }
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
    if (StartsWithLetter(rest, 'R')) rest.remove_prefix(1);
    const bool tangent = rest.ends_with(kTangent) || StartsWithLetter(rest.substr(rest.empty() ? 0 : rest.size() - 1), 'T');
    if (tangent) rest.remove_suffix(rest.ends_with(kTangent) ? kTangent.size() : 1);
    // Taken only once its radius reads: an arc half typed is no arc.
    v.radius = Size(rest, texts::kTableElementUnreadable);
    v.element = tangent ? Element::TangentArc : Element::Arc;
}

}  // namespace

RowValues ReadRow(const TableRow& row, bool first, std::vector<TableProblem>& found, int number) {
    RowValues v;
    auto attempt = [&](auto read) {
        try {
            read();
        } catch (const RowError& e) {
            found.push_back({number, e.reason});
        }
    };
    attempt([&] {
        const Coordinate x = ReadCoordinateCell(Clean(row.x), "Uu", texts::kTableXNotNumber);
        v.x = x;
    });
    attempt([&] {
        const Coordinate z = ReadCoordinateCell(Clean(row.z), "Ww@", texts::kTableZNotNumber);
        v.z = z;
    });
    attempt([&] { ReadCorner(Clean(row.corner), v); });
    attempt([&] { ReadElement(Clean(row.element), v); });
    if (first && v.Worked()) {
        attempt([] { throw RowError(texts::kTableFirstRowNumbers); });
        v.x = v.z = {};  // nothing to go on from
    }
    return v;
}

}  // namespace kelo

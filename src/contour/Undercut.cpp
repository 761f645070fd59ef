#include "contour/Undercut.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "text/FormatCoord.h"
#include "text/NumberRules.h"
#include "text/Texts.h"
#include "text/Utf.h"

namespace kelo {

namespace {

// The norm table as the program ships it; the release writes the same text beside the manual.
constexpr std::string_view kNormText =
    "norm,designation,r,t1,f,t2,d1_over,d1_upto,d_minus_dg,g2_A,g2_B,source\r\n"
    "DIN509,0.2x0.1,0.2,0.1,1,0.1,1.6,3,,,,DIN 509 Form E/F\r\n"
    "DIN509,0.4x0.2,0.4,0.2,2,0.1,3,10,,,,DIN 509 Form E/F\r\n"
    "DIN509,0.6x0.2,0.6,0.2,2,0.1,10,18,,,,DIN 509 Form E/F\r\n"
    "DIN509,0.6x0.3,0.6,0.3,2.5,0.2,18,80,,,,DIN 509 Form E/F\r\n"
    "DIN509,0.8x0.3,0.8,0.3,2.5,0.2,,,,,,DIN 509 Form E/F\r\n"
    "DIN509,1x0.2,1,0.2,2.5,0.1,,,,,,DIN 509 Form E/F\r\n"
    "DIN509,1x0.4,1,0.4,4,0.3,80,,,,,DIN 509 Form E/F\r\n"
    "DIN509,1.2x0.2,1.2,0.2,2.5,0.1,,,,,,DIN 509 Form E/F\r\n"
    "DIN509,1.2x0.4,1.2,0.4,4,0.3,,,,,,DIN 509 Form E/F\r\n"
    "DIN509,1.6x0.3,1.6,0.3,4,0.2,,,,,,DIN 509 Form E/F\r\n"
    "DIN509,2.5x0.4,2.5,0.4,5,0.3,,,,,,DIN 509 Form E/F\r\n"
    "DIN509,4x0.5,4,0.5,7,0.3,,,,,,DIN 509 Form E/F\r\n"
    "DIN76,P0.5,0.2,,,,,,0.8,1.75,1.25,DIN 76-1 Form A/B\r\n"
    "DIN76,P1,0.6,,,,,,1.6,3.5,2.5,DIN 76-1 Form A/B\r\n"
    "DIN76,P1.25,0.6,,,,,,2.0,4.4,3.2,DIN 76-1 Form A/B\r\n"
    "DIN76,P1.5,0.8,,,,,,2.3,5.2,3.8,DIN 76-1 Form A/B\r\n"
    "DIN76,P1.75,1.0,,,,,,2.6,6.1,4.3,DIN 76-1 Form A/B\r\n"
    "DIN76,P2,1.0,,,,,,3.0,7.0,5.0,DIN 76-1 Form A/B\r\n"
    "DIN76,P2.5,1.2,,,,,,3.6,8.7,6.3,DIN 76-1 Form A/B\r\n"
    "DIN76,P3,1.6,,,,,,4.4,10.5,7.5,DIN 76-1 Form A/B\r\n";

constexpr std::string_view kDin509 = "DIN509", kDin76 = "DIN76";
// Lengths of the norms are given to a tenth of a micrometre at most.
constexpr double kSame = 1e-9;
// A cylinder keeps its X, a face its Z, within this (a diameter).
constexpr double kStraight = 0.0005;
// The F form's line back to the face plane leans this far from it.
constexpr double kFaceLineDegrees = 8;

std::string Trimmed(std::string_view text) { return std::string(TrimBlanks(text)); }

std::vector<std::string> Cells(std::string_view line) {
    std::vector<std::string> cells;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(Trimmed(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) return cells;
        start = comma + 1;
    }
}

// "0.6x0.3" or "0.6×0.3" as r and t1.
std::optional<std::pair<double, double>> ReadRByT1(std::string_view text) {
    for (const std::string_view times : {std::string_view("x"), std::string_view("X"), std::string_view("×")}) {
        const std::size_t at = text.find(times);
        if (at == std::string_view::npos) continue;
        const std::optional<double> r = ReadNumber(text.substr(0, at)), t1 = ReadNumber(text.substr(at + times.size()));
        if (r && t1 && *r > 0 && *t1 > 0) return std::pair(*r, *t1);
        return std::nullopt;
    }
    return std::nullopt;
}

// "P1.5" as the pitch.
std::optional<double> ReadPitch(std::string_view text) {
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty() || (trimmed[0] != 'P' && trimmed[0] != 'p')) return std::nullopt;
    const std::optional<double> pitch = ReadNumber(std::string_view(trimmed).substr(1));
    if (!pitch || !(*pitch > 0)) return std::nullopt;
    return pitch;
}

std::string Key(double r, double t1) {
    double a = r, b = t1;
    return FormatCoord(a) + "x" + FormatCoord(b);
}

std::string PitchKey(double pitch) { return "P" + FormatCoord(pitch); }

// One line of the norm file as a row; otherwise why it is none.
std::variant<NormRow, std::string> ReadNormRow(const std::vector<std::string>& cells) {
    if (cells.size() != 12) return std::string("列の数");
    NormRow row;
    row.norm = cells[0];
    row.source = cells[11];
    if (row.source.empty()) return std::string("source");
    auto number = [&](std::size_t cell, double& into) {
        const std::optional<double> value = ReadNumber(cells[cell]);
        if (!value || !(*value > 0)) return false;
        into = *value;
        return true;
    };
    if (row.norm == kDin509) {
        const auto rt = ReadRByT1(cells[1]);
        if (!rt || !number(2, row.r) || !number(3, row.t1) || !number(4, row.f) || !number(5, row.t2))
            return std::string("r, t1, f, t2");
        if (std::fabs(rt->first - row.r) > kSame || std::fabs(rt->second - row.t1) > kSame)
            return std::string("designation");
        row.key = Key(row.r, row.t1);
        // An optional diameter range that the relief serves by default: over d1_over, up to d1_upto.
        if (!cells[6].empty() && !number(6, row.d1Over)) return std::string("d1_over");
        if (!cells[7].empty() && !number(7, row.d1Upto)) return std::string("d1_upto");
        return row;
    }
    if (row.norm == kDin76) {
        const auto pitch = ReadPitch(cells[1]);
        if (!pitch || !number(2, row.r) || !number(8, row.depth) || !number(9, row.g2Normal) || !number(10, row.g2Short))
            return std::string("designation, r, d_minus_dg, g2_A, g2_B");
        row.key = PitchKey(*pitch);
        return row;
    }
    return std::string("norm");
}

}  // namespace

std::optional<UndercutCell> ReadUndercutCell(std::string_view cell) {
    UndercutCell read;
    if (cell.starts_with("DIN") || cell.starts_with("din")) {
        std::string_view rest = cell.substr(3);
        rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
        if (!rest.starts_with("76")) return std::nullopt;
        rest.remove_prefix(2);
        read.form = UndercutForm::ThreadNormal;
        if (!rest.empty() && (rest[0] == 'B' || rest[0] == 'b')) {
            read.form = UndercutForm::ThreadShort;
            rest.remove_prefix(1);
        } else if (!rest.empty() && (rest[0] == 'A' || rest[0] == 'a')) {
            rest.remove_prefix(1);
        }
        const std::optional<double> pitch = ReadPitch(rest);
        if (!pitch) return std::nullopt;
        read.pitch = *pitch;
        return read;
    }
    if (cell.empty() || (cell[0] != 'E' && cell[0] != 'e' && cell[0] != 'F' && cell[0] != 'f')) return std::nullopt;
    read.form = cell[0] == 'E' || cell[0] == 'e' ? UndercutForm::E : UndercutForm::F;
    const std::string rest = Trimmed(cell.substr(1));
    if (rest.empty()) return read;
    const auto rt = ReadRByT1(rest);
    if (!rt) return std::nullopt;
    read.r = rt->first;
    read.t1 = rt->second;
    return read;
}

const UndercutNorms& UndercutNorms::BuiltIn() {
    static const UndercutNorms norms = [] {
        std::vector<std::string> problems;
        return UndercutNorms().With(kNormText, problems);
    }();
    return norms;
}

std::string_view UndercutNorms::BuiltInText() { return kNormText; }

UndercutNorms UndercutNorms::With(std::string_view text, std::vector<std::string>& problems) const {
    UndercutNorms out = *this;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (++number == 1 || Trimmed(line).empty()) continue;  // the header
        const auto read = ReadNormRow(Cells(line));
        if (const auto* why = std::get_if<std::string>(&read)) {
            problems.push_back(Fill(Fill(Fill(texts::kNormBadRow, std::to_string(number)), *why), Trimmed(line)));
            continue;
        }
        const NormRow& row = std::get<NormRow>(read);
        const auto same = std::find_if(out.rows_.begin(), out.rows_.end(),
                                       [&](const NormRow& r) { return r.norm == row.norm && r.key == row.key; });
        if (same != out.rows_.end()) {
            *same = row;
        } else {
            out.rows_.push_back(row);
        }
    }
    return out;
}

const NormRow* UndercutNorms::Find(std::string_view norm, std::string_view key) const {
    for (const NormRow& row : rows_)
        if (row.norm == norm && row.key == key) return &row;
    return nullptr;
}

std::variant<UndercutSize, std::string> SizeUndercut(const UndercutCell& cell, double diameter,
                                                     const UndercutNorms& norms) {
    UndercutSize size;
    size.form = cell.form;
    if (cell.form == UndercutForm::ThreadNormal || cell.form == UndercutForm::ThreadShort) {
        const NormRow* row = norms.Find(kDin76, PitchKey(cell.pitch));
        if (row == nullptr) return std::string(texts::kUndercutNoPitch);
        const bool normal = cell.form == UndercutForm::ThreadNormal;
        size.r = row->r;
        size.t1 = row->depth / 2;
        size.f = normal ? row->g2Normal : row->g2Short;
        size.flankDegrees = 30;
        size.designation = std::string(normal ? "DIN76 " : "DIN76B ") + row->key;
        return size;
    }
    const NormRow* row = nullptr;
    if (cell.r) {
        row = norms.Find(kDin509, Key(*cell.r, *cell.t1));
        if (row == nullptr) return std::string(texts::kUndercutNoDesignation);
    } else {
        for (const NormRow& candidate : norms.Rows()) {
            if (candidate.norm == kDin509 && candidate.d1Over >= 0 && diameter > candidate.d1Over &&
                (candidate.d1Upto == 0 || diameter <= candidate.d1Upto))
                row = &candidate;
        }
        if (row == nullptr) return std::string(texts::kUndercutNoDiameter);
        size.fromDiameter = true;
    }
    size.r = row->r;
    size.t1 = row->t1;
    size.f = row->f;
    size.t2 = row->t2;
    size.designation = (cell.form == UndercutForm::E ? "E" : "F") + row->key;
    return size;
}

std::variant<UndercutCut, std::string> CutUndercut(Point before, Point at, Point after, const UndercutSize& size) {
    const auto cylinder = [&](Point end) { return std::fabs(end.r - at.r) * 2 <= kStraight && end.z != at.z; };
    const auto face = [&](Point end) { return std::fabs(end.z - at.z) <= kStraight && end.r != at.r; };
    const bool cylinderFirst = cylinder(before) && face(after);
    if (!cylinderFirst && !(face(before) && cylinder(after))) return std::string(texts::kUndercutNotCylinderAndFace);
    const Point cylinderEnd = cylinderFirst ? before : after, faceEnd = cylinderFirst ? after : before;
    if (!(faceEnd.r > at.r)) return std::string(texts::kUndercutOutsideCorner);
    if (std::fabs(cylinderEnd.z - at.z) < size.f) return std::string(texts::kUndercutCylinderShort);

    // The profile in the corner's own terms: `a` along the cylinder from the face plane,
    // `h` up from the cylinder's surface.
    const double s = cylinderEnd.z > at.z ? 1 : -1;
    const auto place = [&](double a, double h) { return Point{at.z + s * a, at.r + h}; };
    // Turning clockwise in (a, h) is clockwise in the drawing where the cylinder lies toward
    // +Z, and counterclockwise where the mirror image lies toward -Z.
    const Turn clockwise = s > 0 ? Turn::Clockwise : Turn::Counterclockwise;
    const double flank = size.flankDegrees * std::numbers::pi / 180;
    const double flankEnd = size.f - size.t1 / std::tan(flank);
    const bool formF = size.form == UndercutForm::F;
    const double centreA = formF ? size.r - size.t2 : size.r, centreH = size.r - size.t1;
    if (flankEnd < centreA - 1e-9) return std::string(texts::kUndercutBadShape);  // the flank would cross the arc

    std::vector<UndercutElement> elements;
    auto line = [&](Point from, Point to) {
        if (Length(to - from) > 1e-9) elements.push_back({false, from, to, {}, {}});
    };
    const Point centre = place(centreA, centreH);
    line(place(size.f, 0), place(flankEnd, -size.t1));
    line(place(flankEnd, -size.t1), place(centreA, -size.t1));
    double faceH = centreH;  // where the face goes on: the arc's end on the face plane
    if (formF) {
        const double lean = kFaceLineDegrees * std::numbers::pi / 180;
        const double tangentA = centreA - size.r * std::cos(lean), tangentH = centreH + size.r * std::sin(lean);
        if (!(tangentA < 0)) return std::string(texts::kUndercutBadShape);  // the line back would never reach the face
        elements.push_back({true, place(centreA, -size.t1), place(tangentA, tangentH), centre, clockwise});
        faceH = tangentH - tangentA / std::tan(lean);
        line(place(tangentA, tangentH), place(0, faceH));
    } else {
        elements.push_back({true, place(centreA, -size.t1), place(0, centreH), centre, clockwise});
    }
    if (!(faceEnd.r - at.r > faceH)) return std::string(texts::kUndercutFaceShort);

    UndercutCut cut;
    cut.elements = std::move(elements);
    if (cylinderFirst) {
        cut.in = place(size.f, 0);
        cut.out = place(0, faceH);
        cut.trimIn = size.f;
        cut.trimOut = faceH;
        return cut;
    }
    // Met from the face: the same profile run backwards.
    std::reverse(cut.elements.begin(), cut.elements.end());
    for (UndercutElement& e : cut.elements) {
        std::swap(e.from, e.to);
        e.turn = e.turn == Turn::Clockwise ? Turn::Counterclockwise : Turn::Clockwise;
    }
    cut.in = place(0, faceH);
    cut.out = place(size.f, 0);
    cut.trimIn = faceH;
    cut.trimOut = size.f;
    return cut;
}

}  // namespace kelo

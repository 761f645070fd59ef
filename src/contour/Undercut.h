#pragma once
// Standard undercuts at a shoulder, each one corner cell of the contour table: the relief
// grooves of ground seats (DIN 509 forms E and F) and thread undercuts (DIN 76, forms A
// and B). Their sizes come from a norm table, built in and extended by the user's own
// file; their profile is cut into the cylinder next to the face.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "geometry/Geometry.h"

namespace kelo {

enum class UndercutForm : std::uint8_t { E, F, ThreadNormal, ThreadShort };

// What a corner cell asks for: "E0.6x0.3", "F1x0.2", "E" or "F" alone (sized from the
// cylinder's diameter), "DIN76 P1.5", "DIN76B P1.5".
struct UndercutCell {
    UndercutForm form = UndercutForm::E;
    std::optional<double> r, t1;  // DIN 509 r x t1 as written; none: from the diameter
    double pitch = 0;             // DIN 76
};

// A cleaned corner cell (half-width, no blanks around it) read as an undercut; nullopt
// when it is not one of the forms above.
std::optional<UndercutCell> ReadUndercutCell(std::string_view cell);

// One row of the norm table. DIN 509: r x t1 gives f and t2. DIN 76: the pitch gives
// d - dg, r and g2 for forms A and B.
struct NormRow {
    std::string norm;  // "DIN509" or "DIN76"
    std::string key;   // "0.6x0.3" or "1.5"
    double r = 0, t1 = 0, f = 0, t2 = 0;
    double d1Over = -1, d1Upto = 0;  // DIN 509: the diameters it serves by default (over, up to; -1 and 0: none)
    double depth = 0, g2Normal = 0, g2Short = 0;  // DIN 76: d - dg, g2 of form A and of form B
    std::string source;
};

class UndercutNorms {
   public:
    // The values of the norms as the program ships them (the same text as the release's file).
    static const UndercutNorms& BuiltIn();
    static std::string_view BuiltInText();

    // The rows of `text` (the norm file's columns, a header line first) over these: a row of
    // the same norm and key replaces one, any other is added. A bad row is named in
    // `problems` with its line; the rest still serve.
    UndercutNorms With(std::string_view text, std::vector<std::string>& problems) const;

    const NormRow* Find(std::string_view norm, std::string_view key) const;
    const std::vector<NormRow>& Rows() const { return rows_; }

   private:
    std::vector<NormRow> rows_;
};

// An undercut's lengths as its profile needs them, with the designation used.
struct UndercutSize {
    UndercutForm form = UndercutForm::E;
    double r = 0, t1 = 0, f = 0, t2 = 0;  // t1: the depth below the cylinder; f: its length along it
    double flankDegrees = 15;             // the flank's angle to the axis
    std::string designation;              // "E0.6x0.3", "DIN76 P1.5"
    bool fromDiameter = false;            // sized from the cylinder's diameter
};

// The sizes of `cell` for a cylinder of diameter `diameter`; otherwise why there are none.
std::variant<UndercutSize, std::string> SizeUndercut(const UndercutCell& cell, double diameter,
                                                     const UndercutNorms& norms);

// One line or arc of the undercut's profile, in contour order.
struct UndercutElement {
    bool arc = false;
    Point from, to, centre;
    Turn turn = Turn::Counterclockwise;
};

struct UndercutCut {
    Point in;                               // where the incoming line now ends
    Point out;                              // where the outgoing line now begins
    double trimIn = 0, trimOut = 0;         // taken from each line at the corner (less than 0: added)
    std::vector<UndercutElement> elements;  // from `in` to `out`
};

// The undercut cut into the corner at `at` between the line from `before` and the line to
// `after`: one a cylinder (X the same within 0.0005), the other a face rising from the
// corner. Otherwise why it cannot be cut there (one Japanese line).
std::variant<UndercutCut, std::string> CutUndercut(Point before, Point at, Point after, const UndercutSize& size);

}  // namespace kelo

#pragma once
// The one segment that a profile dialog or the contour table types: its points as
// the texts that go to the host and the key strings they make. The dialogs' OK and the
// contour table both type through here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/HostChannel.h"
#include "geometry/Geometry.h"

namespace kelo {

// A point as it is typed: its Z, then its radius X / 2. A text with no number to give
// is nullopt, and typing stops there, as a dialog's reading that fails stops its OK.
struct SegmentPoint {
    std::string xText;                 // the diameter, as a dialog going on from here shows it
    std::optional<std::string> zText;  // typed as it stands
    std::optional<std::string> rText;

    bool operator==(const SegmentPoint&) const = default;
};

// A point as the dialogs type it: the Z text as it stands, the radius as NumberText
// of the diameter read strictly and halved.
SegmentPoint DialogPoint(std::string_view xText, std::optional<std::string> zText);

// A computed point (Z, radius r), both as coordinate text; the diameter text is that
// of the rounded radius doubled, so that a dialog going on from it types the same point.
SegmentPoint CoordinatePoint(double z, double r);

enum class SegmentKind : std::uint8_t { Line, Arc };

struct Segment {
    SegmentKind kind = SegmentKind::Line;
    SegmentPoint start;  // where it begins
    SegmentPoint end;    // where it ends: the next segment's start
    SegmentPoint centre;            // arcs only
    std::optional<ArcOrder> order;  // arcs: which point goes first; nullopt when it cannot be told

    bool operator==(const Segment&) const = default;
};

struct KeyStep {
    enum class Kind : std::uint8_t { Text, Enter, Cancel };
    Kind kind = Kind::Text;
    std::string text;  // Text only: one key string

    bool operator==(const KeyStep&) const = default;
};

struct SegmentKeys {
    std::vector<KeyStep> steps;
    bool complete = true;  // false: typing stops after `steps`, at a text that has no number
};

// A line: "LINE TWO_PTS " sz "," sr " " ez "," er, Enter, cancel. An arc: "ARC CEN_BEG_END "
// cz "," cr, Enter, the first point, Enter, the second, Enter, cancel. Every text is a key
// string of its own, as the dialogs have always typed them.
SegmentKeys KeyStringsOf(const Segment& segment);

// Types the key strings; where the segment stops short, throws NumberError after the
// last one that could be typed (the command frame's trap takes it).
void TypeSegment(HostChannel& channel, const Segment& segment);

}  // namespace kelo

#include "channel/Segment.h"

#include <cmath>
#include <utility>

#include "text/FormatCoord.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

// Appends the texts of `p` (Z, ",", radius); false where one has no number.
bool AppendPoint(std::vector<KeyStep>& steps, const SegmentPoint& p) {
    if (!p.zText) return false;
    steps.push_back({KeyStep::Kind::Text, *p.zText});
    steps.push_back({KeyStep::Kind::Text, ","});
    if (!p.rText) return false;
    steps.push_back({KeyStep::Kind::Text, *p.rText});
    return true;
}

bool AppendLine(std::vector<KeyStep>& steps, const Segment& s) {
    steps.push_back({KeyStep::Kind::Text, "LINE TWO_PTS "});
    if (!AppendPoint(steps, s.start)) return false;
    steps.push_back({KeyStep::Kind::Text, " "});
    if (!AppendPoint(steps, s.end)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    return true;
}

bool AppendArc(std::vector<KeyStep>& steps, const Segment& s) {
    steps.push_back({KeyStep::Kind::Text, "ARC CEN_BEG_END "});
    if (!AppendPoint(steps, s.centre)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    if (!s.order) return false;
    const bool endFirst = *s.order == ArcOrder::EndFirst;
    if (!AppendPoint(steps, endFirst ? s.end : s.start)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    if (!AppendPoint(steps, endFirst ? s.start : s.end)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    return true;
}

}  // namespace

SegmentPoint DialogPoint(std::string_view xText, std::optional<std::string> zText) {
    const std::optional<double> x = ReadNumber(xText);
    std::optional<std::string> rText;
    if (x) {
        try {
            rText = NumberText(*x / 2);
        } catch (const NumberError&) {
        }
    }
    return SegmentPoint{std::string(xText), std::move(zText), std::move(rText)};
}

SegmentPoint CoordinatePoint(double z, double r) {
    std::string zText = FormatCoord(z);
    std::string rText = FormatCoord(r);
    double x = r * 2;
    return SegmentPoint{FormatCoord(x), std::move(zText), std::move(rText)};
}

SegmentKeys KeyStringsOf(const Segment& segment) {
    SegmentKeys keys;
    keys.complete = segment.kind == SegmentKind::Line ? AppendLine(keys.steps, segment) : AppendArc(keys.steps, segment);
    if (keys.complete) keys.steps.push_back({KeyStep::Kind::Cancel, {}});
    return keys;
}

void TypeSegment(HostChannel& channel, const Segment& segment) {
    const SegmentKeys keys = KeyStringsOf(segment);
    for (const KeyStep& step : keys.steps) {
        switch (step.kind) {
            case KeyStep::Kind::Text: channel.Type(step.text); break;
            case KeyStep::Kind::Enter: channel.SendEnter(); break;
            case KeyStep::Kind::Cancel: channel.SendCancel(); break;
        }
    }
    if (!keys.complete) throw NumberError("a point of the segment is not a number");
}

}  // namespace kelo

#include "Sketch.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace kelo::hostsim {
namespace {

// Keeps pixel arithmetic far from overflow whatever is typed.
constexpr double kLargest = 1e9;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& text) {
    text = Trim(text);
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

void Include(Box& box, Point p) {
    box.zMin = std::min(box.zMin, p.z);
    box.zMax = std::max(box.zMax, p.z);
    box.rMin = std::min(box.rMin, p.r);
    box.rMax = std::max(box.rMax, p.r);
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a coordinate starts with a digit or '.'.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || value > kLargest) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::vector<Point>> ParsePoints(std::string_view text) {
    std::vector<Point> points;
    text = Trim(text);
    while (!text.empty()) {
        size_t comma = text.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        auto z = ParseNumber(text.substr(0, comma));
        text.remove_prefix(comma + 1);
        // The radius runs to the first blank after its first character, so "1 , 2" works.
        std::string_view rest = Trim(text);
        size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end])) ++end;
        auto r = ParseNumber(rest.substr(0, end));
        if (!z || !r) return std::nullopt;
        points.push_back({*z, *r});
        text = Trim(rest.substr(end));
    }
    return points;
}

std::vector<Point> ArcPolyline(const Arc& arc, int stepsPerTurn) {
    const double twoPi = 2 * std::numbers::pi;
    double radius = std::hypot(arc.begin.z - arc.centre.z, arc.begin.r - arc.centre.r);
    double from = std::atan2(arc.begin.r - arc.centre.r, arc.begin.z - arc.centre.z);
    double to = std::atan2(arc.end.r - arc.centre.r, arc.end.z - arc.centre.z);
    double sweep = std::fmod(to - from + 2 * twoPi, twoPi);
    if (sweep <= 1e-12) sweep = twoPi;  // end on begin: a full circle
    int steps = std::max(8, static_cast<int>(std::ceil(sweep / twoPi * stepsPerTurn)));
    std::vector<Point> points;
    points.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        double angle = from + sweep * i / steps;
        points.push_back({arc.centre.z + radius * std::cos(angle), arc.centre.r + radius * std::sin(angle)});
    }
    return points;
}

void Sketch::OnLine(std::string_view line) {
    std::string_view rest = line;
    std::string_view word = NextWord(rest);
    Command command = Command::kNone;
    if (SameWord(word, "LINE") && SameWord(NextWord(rest), "TWO_PTS")) {
        command = Command::kLine;
    } else if (SameWord(word, "ARC") && SameWord(NextWord(rest), "CEN_BEG_END")) {
        command = Command::kArc;
    }

    if (command != Command::kNone) {
        pending_ = command;
        points_.clear();
        if (auto points = ParsePoints(rest)) {
            Collect(*points);
        } else {
            pending_ = Command::kNone;  // bad numbers: the command is ignored
        }
        return;
    }
    if (auto points = ParsePoints(line)) {
        Collect(*points);
    } else if (!Trim(line).empty() && std::isalpha(static_cast<unsigned char>(Trim(line).front()))) {
        pending_ = Command::kNone;  // another command word ends the one in progress
        points_.clear();
    }
}

void Sketch::OnCancel() {
    pending_ = Command::kNone;
    points_.clear();
}

void Sketch::Collect(const std::vector<Point>& points) {
    for (const Point& p : points) {
        if (pending_ == Command::kNone) return;  // points outside a command mean nothing here
        points_.push_back(p);
        if (pending_ == Command::kLine && points_.size() == 2) {
            shapes_.push_back(Segment{points_[0], points_[1]});
        } else if (pending_ == Command::kArc && points_.size() == 3) {
            shapes_.push_back(Arc{points_[0], points_[1], points_[2]});
        } else {
            continue;
        }
        pending_ = Command::kNone;
        points_.clear();
    }
}

std::optional<Point> Sketch::LastEnd() const {
    if (shapes_.empty()) return std::nullopt;
    if (auto* segment = std::get_if<Segment>(&shapes_.back())) return segment->to;
    return ArcPolyline(std::get<Arc>(shapes_.back())).back();
}

Box Sketch::Extent() const {
    Box box;  // starts at the origin, so the axis always shows
    for (const Shape& shape : shapes_) {
        if (auto* segment = std::get_if<Segment>(&shape)) {
            Include(box, segment->from);
            Include(box, segment->to);
        } else {
            for (Point p : ArcPolyline(std::get<Arc>(shape), 72)) Include(box, p);
        }
    }
    return box;
}

}  // namespace kelo::hostsim

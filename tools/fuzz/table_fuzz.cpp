// The contour table on any cells: one line a row, cells split at commas. Whatever the rows
// say, building the contour never throws, every worked-out point it shows is a number or
// "?", and a contour it would draw types only finite numbers, every key string complete.
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "contour/ContourTable.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<kelo::TableRow> rows(1);
    int cell = 0;
    for (const char c : text) {
        std::string* cells[] = {&rows.back().x, &rows.back().z, &rows.back().corner, &rows.back().element};
        if (c == '\n') {
            rows.emplace_back();
            cell = 0;
        } else if (c == ',' && cell < 3) {
            ++cell;
        } else {
            *cells[cell] += c;
        }
    }
    const kelo::TableContour contour = kelo::BuildContour(rows);  // an exception aborts the run
    kelo::fuzz::Require(contour.worked.size() == rows.size(), "a worked-out text for every row");
    for (const std::string& worked : contour.worked)
        kelo::fuzz::Require(worked.find("nan") == std::string::npos && worked.find("inf") == std::string::npos,
                            "worked-out text " + worked);
    if (!contour.Drawable()) return 0;
    for (const kelo::Segment& segment : contour.segments) {
        const kelo::SegmentKeys keys = kelo::KeyStringsOf(segment);
        kelo::fuzz::Require(keys.complete, "a drawable contour types every point");
        for (const kelo::SegmentPoint* p : {&segment.start, &segment.end, &segment.centre}) {
            if (segment.kind == kelo::SegmentKind::Line && p == &segment.centre) continue;
            for (const auto& t : {p->zText, p->rText})
                kelo::fuzz::Require(t && kelo::ReadCoordinate(*t), "typed coordinate " + t.value_or("(none)"));
        }
    }
    return 0;
}

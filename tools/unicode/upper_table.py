#!/usr/bin/env python3
"""Writes src/text/UpperCase.cpp: the one-to-one upper-case mappings of Unicode letters
(Latin with accents, Greek, Cyrillic, Armenian, Georgian, full-width and the rest), as
Windows applies them when it capitalises a text. Taken from Python's own Unicode data;
a letter whose capital is more than one character (German ß) keeps its form, as on Windows.

    python3 tools/unicode/upper_table.py > src/text/UpperCase.cpp
"""
import unicodedata

pairs = []
for cp in range(0x110000):
    c = chr(cp)
    upper = c.upper()
    if len(upper) == 1 and upper != c and unicodedata.category(c)[0] in "LNS":
        pairs.append((cp, ord(upper) - cp))

# Runs of letters with one distance to their capitals: every code point (stride 1), or
# every other one where small and capital letters alternate (stride 2).
runs, i = [], 0
while i < len(pairs):
    first, delta = pairs[i]
    ends = {}
    for stride in (1, 2):
        j = i
        while j + 1 < len(pairs) and pairs[j + 1] == (pairs[j][0] + stride, delta):
            j += 1
        ends[stride] = j
    stride = 2 if ends[2] > ends[1] else 1
    runs.append((first, pairs[ends[stride]][0], delta, stride))
    i = ends[stride] + 1

print(f'''// Written by tools/unicode/upper_table.py from Unicode {unicodedata.unidata_version}: do not edit by hand.
#include "text/UpperCase.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kelo {{

namespace {{

struct Run {{
    char32_t first, last;
    std::int32_t delta;  // added to a small letter to make its capital
    std::uint8_t stride;  // 1: every code point of the run; 2: every other one
}};

constexpr std::array<Run, {len(runs)}> kRuns{{{{''')
for k in range(0, len(runs), 3):
    print("    " + " ".join(f"Run{{0x{a:04X}, 0x{b:04X}, {d}, {s}}}," for a, b, d, s in runs[k:k + 3]))
print('''}};

}  // namespace

char32_t UpperCase(char32_t c) {
    const auto run = std::upper_bound(kRuns.begin(), kRuns.end(), c, [](char32_t x, const Run& r) { return x < r.first; });
    if (run == kRuns.begin()) return c;
    const Run& r = *(run - 1);
    if (c > r.last || (c - r.first) % r.stride != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + r.delta);
}

}  // namespace kelo''')

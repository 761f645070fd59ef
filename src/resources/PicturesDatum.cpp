#include "resources/Pictures.h"

namespace kelo {

// Datum (parallel) dimensions: a stepped part, its datum line and the dimension lines in blue.
// Key: see Pictures.h.

namespace {

constexpr Picture kPictures[] = {
    {"Dim_Datum_Long", 24,
     "........................"
     "........................"
     "..b....................."
     "..b....................."
     "..b..................b.."
     "..b.b..............b.b.."
     "..bbbbbbbbbbbbbbbbbbbb.."
     "..b.b..............b.b.."
     "..b..................b.."
     "..b..................b.."
     "..b..................b.."
     "..b........b.........b.."
     "..b.b....b.b.........b.."
     "..bbbbbbbbbb.........b.."
     "..b.b....b.b.........b.."
     "..b........b.........b.."
     "..b........b.........b.."
     "..b........b.........b.."
     "..kkkkkkkkkkkkkkkkkkkk.."
     "..kssssssssssssssssssk.."
     "..kssssssssssssssssssk.."
     "..kkkkkkkkkkkkkkkkkkkk.."
     "........................"
     "........................"
    },
    {"Dim_Datum_Long_Vertical", 24,
     "........................"
     "........................"
     "..bbbbbbbbbbbbbbbbkkkk.."
     "......b......b....kssk.."
     ".....bbb....bbb...kssk.."
     "......b......b....kssk.."
     "......b......b....kssk.."
     "......b......b....kssk.."
     "......b......b....kssk.."
     "......b.....bbb...kssk.."
     "......b......b....kssk.."
     "......b....bbbbbbbkssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     ".....bbb..........kssk.."
     "......b...........kssk.."
     "....bbbbbbbbbbbbbbkkkk.."
     "........................"
     "........................"
    },
    {"Dim_Datum_Short_HORIZONTAL", 24,
     "........................"
     "........................"
     "..b....................."
     "..b....................."
     "..b..................b.."
     "..b.b..............b.b.."
     "..bbbb...........bbbbb.."
     "..b.b..............b.b.."
     "..b..................b.."
     "..b..................b.."
     "..b..................b.."
     "..b........b.........b.."
     "..b.b....b.b.........b.."
     "..bbbb.bbbbb.........b.."
     "..b.b....b.b.........b.."
     "..b........b.........b.."
     "..b........b.........b.."
     "..b........b.........b.."
     "..kkkkkkkkkkkkkkkkkkkk.."
     "..kssssssssssssssssssk.."
     "..kssssssssssssssssssk.."
     "..kkkkkkkkkkkkkkkkkkkk.."
     "........................"
     "........................"
    },
    {"Dim_Datum_Short_VERTICAL", 24,
     "........................"
     "........................"
     "..bbbbbbbbbbbbbbbbkkkk.."
     "......b......b....kssk.."
     ".....bbb....bbb...kssk.."
     "......b......b....kssk.."
     "..................kssk.."
     ".............b....kssk.."
     ".............b....kssk.."
     "............bbb...kssk.."
     ".............b....kssk.."
     "...........bbbbbbbkssk.."
     "..................kssk.."
     "..................kssk.."
     "..................kssk.."
     "..................kssk.."
     "..................kssk.."
     "......b...........kssk.."
     "......b...........kssk.."
     ".....bbb..........kssk.."
     "......b...........kssk.."
     "....bbbbbbbbbbbbbbkkkk.."
     "........................"
     "........................"
    },
};

}  // namespace

std::span<const Picture> DatumPictures() { return kPictures; }

}  // namespace kelo

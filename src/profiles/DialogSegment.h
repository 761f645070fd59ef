#pragma once
// The segment the boxes of a profile dialog describe: what its OK types and what the
// preview draws while the user types.
#include <span>
#include <string>

#include "channel/Segment.h"
#include "profiles/ProfileKinds.h"

namespace kelo {

// As OK would type it (boxes[0] is Text1). Boxes the dialog does not have count as empty.
Segment BoxesSegment(ProfileDialogKind kind, std::span<const std::string> boxes);

}  // namespace kelo

#pragma once
// Completes the arc of an arc dialog from whatever of radius, centre and end
// point the user has typed, each time the user leaves one of its boxes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/ProfileKinds.h"
#include "profiles/ProfileState.h"

namespace kelo {

enum class ArcRule : std::uint8_t { None, Centre, Radius, EndZ, EndX };

// The seven boxes of an arc dialog: [0] Text1 start X ... [6] Text7 end Z.
using ArcBoxes = std::array<std::string, 7>;

struct ArcSolveResult {
    ArcRule rule = ArcRule::None;  // the first rule whose condition held (None: no rule applied)
    std::vector<int> focusMoves;   // boxes (1 = Text1, 2 = Text2) the run moved the focus to, in order
    std::vector<int> written;      // boxes (1..7) whose text the rule replaced
    std::string problem;           // why the rule gave no result (one Japanese line); empty otherwise
};

// One run of the solver: refreshes StartX/StartZ from Text1/Text2, then applies the first
// rule whose inputs are present. Never throws; never leaves a non-finite value in a box or field.
ArcSolveResult SolveArc(ArcSense sense, ArcBoxes& boxes, ProfileState& state);

}  // namespace kelo

// SolveArc in both senses, through the arc dialogs' models (the focus following every move)
// and directly on any seven boxes: nothing throws, every box it fills holds a finite number,
// every field stays finite, the focus comes to rest, no message box shows, and the note is
// one of the solver's own lines.
#include <algorithm>

#include "DialogFuzz.h"
#include "profiles/ArcSolver.h"

static bool IsSolverNote(std::string_view note) {
    namespace t = kelo::texts;
    const std::string_view known[] = {"", t::kArcStartXNotNumber, t::kArcStartZNotNumber, t::kArcRadiusNotNumber,
                                      t::kArcCenterXNotNumber, t::kArcCenterZNotNumber, t::kArcEndXNotNumber,
                                      t::kArcEndZNotNumber, t::kArcStartIsEnd, t::kArcZeroRadius, t::kArcChordTooLong,
                                      t::kArcEndOutOfReach, t::kArcOutOfRange};
    return std::ranges::find(known, note) != std::end(known);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelo::fuzz::Require;
    FuzzedDataProvider in(data, size);
    const auto sense = in.ConsumeBool() ? kelo::ArcSense::Concave : kelo::ArcSense::Convex;
    if (in.ConsumeBool()) {
        kelo::ProfileState state;
        kelo::InitProfileState(state);
        kelo::ArcBoxes boxes;
        for (auto& box : boxes) box = kelo::fuzz::BoxText(in);
        const kelo::ArcBoxes before = boxes;
        const auto result = kelo::SolveArc(sense, boxes, state);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const bool written = std::count(result.written.begin(), result.written.end(), int(i) + 1) > 0;
            if (written) kelo::fuzz::RequireNumberText(boxes[i], "solver output");
            Require(written || boxes[i] == before[i], "a box the solver did not name changed");
        }
        kelo::fuzz::RequireFiniteState(state);
        Require(IsSolverNote(result.problem), "unknown note \"" + result.problem + "\"");
        return 0;
    }
    kelo::testing::Rig rig;
    kelo::fuzz::PlayDialog(rig, sense == kelo::ArcSense::Concave ? kelo::ProfileDialogKind::Arc1
                                                                 : kelo::ProfileDialogKind::Arc2, in);
    Require(rig.desktop.transcript.find("[message") == std::string::npos, "shown: " + rig.desktop.transcript);
    Require(IsSolverNote(rig.note), "unknown note \"" + rig.note + "\"");
    return 0;
}

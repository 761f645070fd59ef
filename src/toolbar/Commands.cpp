#include "toolbar/Commands.h"

namespace kelo {

std::optional<std::size_t> FindCommand(std::string_view button) {
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        if (kCommands[i].button == button) return i;
    return std::nullopt;
}

CommandPlan PlanCommand(const CommandRow& row, bool shiftHeld) {
    CommandPlan plan;
    plan.opening = row.opening;
    auto add = [&](Step s) { plan.steps[plan.count++] = s; };
    switch (row.behaviour) {
        case Behaviour::Plain:
            plan.readsShift = !row.shiftLine.empty();
            add({Step::Kind::Text, (plan.readsShift && shiftHeld) ? row.shiftLine : row.line});
            add({Step::Kind::Enter, {}});
            break;
        case Behaviour::Sequence:
            for (const Step& s : row.steps) add(s);
            break;
        default:
            break;
    }
    return plan;
}

}  // namespace kelo

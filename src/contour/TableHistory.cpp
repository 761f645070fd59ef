#include "contour/TableHistory.h"

#include <utility>

namespace kelo {

void TableHistory::Record(TableSnapshot before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > kSteps) undo_.pop_front();
    redo_.clear();
}

namespace {

// The last snapshot of `from`, with `now` kept on `to` for the way back.
std::optional<TableSnapshot> Move(std::deque<TableSnapshot>& from, std::deque<TableSnapshot>& to, TableSnapshot now) {
    if (from.empty()) return std::nullopt;
    TableSnapshot back = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(now));
    return back;
}

}  // namespace

std::optional<TableSnapshot> TableHistory::Undo(TableSnapshot now) { return Move(undo_, redo_, std::move(now)); }

std::optional<TableSnapshot> TableHistory::Redo(TableSnapshot now) { return Move(redo_, undo_, std::move(now)); }

}  // namespace kelo

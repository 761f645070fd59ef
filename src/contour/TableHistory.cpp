#include "contour/TableHistory.h"

#include <utility>

namespace kelo {

void TableHistory::Record(TableSnapshot before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > kSteps) undo_.pop_front();
    redo_.clear();
}

std::optional<TableSnapshot> TableHistory::Undo(TableSnapshot now) {
    if (undo_.empty()) return std::nullopt;
    TableSnapshot before = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(now));
    return before;
}

std::optional<TableSnapshot> TableHistory::Redo(TableSnapshot now) {
    if (redo_.empty()) return std::nullopt;
    TableSnapshot after = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(now));
    return after;
}

}  // namespace kelo

#pragma once
// Undo and redo for the contour table: each step keeps the rows as they were before it,
// and the cell the user was in, so that undoing puts both back.
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "contour/TableRow.h"

namespace kelo {

struct TableSnapshot {
    std::vector<TableRow> rows;
    int row = 0;
    TableColumn column = TableColumn::X;

    bool operator==(const TableSnapshot&) const = default;
};

class TableHistory {
   public:
    // Steps kept; the oldest goes first when a step more is recorded.
    static constexpr std::size_t kSteps = 100;

    // A change is about to be made (or was just made) from `before`: it can be undone.
    // Whatever was undone before can no longer be redone.
    void Record(TableSnapshot before);
    // The table as it was before the last step, given the table as it is `now`; nullopt
    // when there is nothing to undo.
    std::optional<TableSnapshot> Undo(TableSnapshot now);
    // The table as it was before the last undo; nullopt when there is nothing to redo.
    std::optional<TableSnapshot> Redo(TableSnapshot now);

   private:
    std::deque<TableSnapshot> undo_, redo_;
};

}  // namespace kelo

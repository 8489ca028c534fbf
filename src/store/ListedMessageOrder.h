#pragma once

#include "store/ListedMessage.h"

#include <vector>

namespace ferrowen {

// How the message list is sorted: by the column last clicked (0 when none
// was), up or down.
struct ListSortOrder
{
    int column = 0;
    bool ascending = true;

    bool operator==(const ListSortOrder &other) const
    {
        return column == other.column && ascending == other.ascending;
    }
};

// A click on a column: another column sorts ascending; the same column
// again turns the order round.
ListSortOrder nextSortOrder(const ListSortOrder &last, int clickedColumn);

// The rows' positions in the order asked for (rows[order[0]] comes first).
// The date column sorts by the date sort key; the other columns compare
// their text without regard to case. Rows that compare equal keep their
// order; with no column chosen the order stays as it is.
std::vector<int> sortedRowOrder(const std::vector<ListedMessage> &rows, const ListSortOrder &order);

// Whether row `a` comes before row `b` in the order asked for; rows that
// compare equal come before neither. With no column chosen the rows go by
// file name, as a folder lists.
bool listedBefore(const ListedMessage &a, const ListedMessage &b, const ListSortOrder &order);

// Puts the rows into the order asked for.
void sortListedMessages(std::vector<ListedMessage> &rows, const ListSortOrder &order);

} // namespace ferrowen

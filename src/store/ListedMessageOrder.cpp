#include "store/ListedMessageOrder.h"

#include "store/TextOrder.h"

#include <QStringList>

#include <algorithm>
#include <numeric>

namespace ferrowen {

ListSortOrder nextSortOrder(const ListSortOrder &last, int clickedColumn)
{
    if (clickedColumn != last.column)
        return {clickedColumn, true};
    return {clickedColumn, !last.ascending};
}

std::vector<int> sortedRowOrder(const std::vector<ListedMessage> &rows, const ListSortOrder &order)
{
    std::vector<int> positions(rows.size());
    std::iota(positions.begin(), positions.end(), 0);
    if (order.column < 1 || order.column > ListedMessage::ColumnCount)
        return positions;
    if (order.column != ListedMessage::Date && order.column != ListedMessage::DateKey) {
        QStringList keys;
        keys.reserve(qsizetype(rows.size()));
        for (const ListedMessage &row : rows)
            keys.append(row.columnText(order.column));
        return orderIgnoringCase(keys, !order.ascending);
    }
    // A descending sort compares the other way round, so equal rows still
    // keep their order.
    const int direction = order.ascending ? 1 : -1;
    std::stable_sort(positions.begin(), positions.end(), [&rows, direction](int a, int b) {
        return direction * compareDateSortKeys(rows[a].dateKey, rows[b].dateKey) < 0;
    });
    return positions;
}

bool listedBefore(const ListedMessage &a, const ListedMessage &b, const ListSortOrder &order)
{
    if (order.column < 1 || order.column > ListedMessage::ColumnCount)
        return lessIgnoringCase(a.fileName, b.fileName);
    const int compared = order.column == ListedMessage::Date || order.column == ListedMessage::DateKey
        ? compareDateSortKeys(a.dateKey, b.dateKey)
        : compareIgnoringCase(a.columnText(order.column), b.columnText(order.column));
    return order.ascending ? compared < 0 : compared > 0;
}

void sortListedMessages(std::vector<ListedMessage> &rows, const ListSortOrder &order)
{
    const std::vector<int> positions = sortedRowOrder(rows, order);
    std::vector<ListedMessage> sorted;
    sorted.reserve(rows.size());
    for (int position : positions)
        sorted.push_back(std::move(rows[position]));
    rows = std::move(sorted);
}

} // namespace ferrowen

#include "addressbook/AddressTable.h"

#include <QVarLengthArray>

#include <algorithm>
#include <numeric>

namespace ferrowen {

namespace {

constexpr QChar CellSeparator = u'\t';

using CellViews = QVarLengthArray<QStringView, 16>;

CellViews cellsOf(QStringView joined)
{
    CellViews cells;
    for (QStringView cell : joined.tokenize(CellSeparator))
        cells.append(cell);
    return cells;
}

QString joined(const CellViews &cells)
{
    qsizetype length = cells.size();
    for (QStringView cell : cells)
        length += cell.size();
    QString row;
    row.reserve(length);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            row += CellSeparator;
        row += cells[i];
    }
    return row;
}

} // namespace

int cellCountOf(QStringView joinedCells)
{
    return int(joinedCells.count(CellSeparator)) + 1;
}

AddressTable::AddressTable(QStringList columnNames)
    : m_names(std::move(columnNames))
{
}

void AddressTable::addColumnsBeforeEnd(int count)
{
    for (int i = 0; i < count; ++i)
        m_names.insert(std::max(0, endColumn()), QString());
}

QStringView AddressTable::cellView(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0)
        return {};
    const QStringView joinedCells = m_rows[size_t(row)];
    qsizetype start = 0;
    for (int skipped = 0; skipped < column; ++skipped) {
        const qsizetype tab = joinedCells.indexOf(CellSeparator, start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    const qsizetype end = joinedCells.indexOf(CellSeparator, start);
    return joinedCells.mid(start, end < 0 ? joinedCells.size() - start : end - start);
}

QStringList AddressTable::rowCells(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_rows[size_t(row)].split(CellSeparator);
}

void AddressTable::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    QString cellText = text;
    cellText.replace(CellSeparator, u' ');
    QString &joinedCells = m_rows[size_t(row)];
    CellViews cells = cellsOf(joinedCells);
    while (cells.size() <= column)
        cells.append(QStringView());
    cells[column] = cellText;
    joinedCells = joined(cells);
}

void AddressTable::appendJoinedRow(QString joinedCells)
{
    m_rows.push_back(std::move(joinedCells));
}

void AddressTable::removeRows(int first, int count)
{
    first = std::clamp(first, 0, rowCount());
    count = std::clamp(count, 0, rowCount() - first);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
}

void AddressTable::moveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= columnCount() || to >= columnCount())
        return;
    m_names.move(from, to);
    for (QString &joinedCells : m_rows) {
        CellViews cells = cellsOf(joinedCells);
        if (cells.size() <= std::min(from, to))
            continue; // the row ends before the columns that move
        while (cells.size() <= std::max(from, to))
            cells.append(QStringView());
        const QStringView moved = cells[from];
        if (from < to)
            std::copy(cells.begin() + from + 1, cells.begin() + to + 1, cells.begin() + from);
        else
            std::copy_backward(cells.begin() + to, cells.begin() + from, cells.begin() + from + 1);
        cells[to] = moved;
        joinedCells = joined(cells);
    }
}

void AddressTable::sortRows(int column, bool descending)
{
    // Folded once per row rather than on each of the n log n comparisons.
    std::vector<QString> keys;
    keys.reserve(m_rows.size());
    for (int row = 0; row < rowCount(); ++row)
        keys.push_back(cellView(row, column).toString().toCaseFolded());
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys, descending](int a, int b) {
        const int compared = QStringView(keys[size_t(a)]).compare(keys[size_t(b)]);
        return descending ? compared > 0 : compared < 0;
    });
    std::vector<QString> sorted;
    sorted.reserve(m_rows.size());
    for (int index : order)
        sorted.push_back(std::move(m_rows[size_t(index)]));
    m_rows = std::move(sorted);
}

} // namespace ferrowen

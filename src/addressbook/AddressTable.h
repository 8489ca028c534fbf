#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace ferrowen {

// The open address book in memory: the column names (the header row) and
// one row per address. The last column is the end column: hidden in the
// grid, kept so that whatever a file put there is written back.
//
// A cell never holds a TAB (reading turns a TAB into a space, the cell
// editor cuts at one), so each row is kept as one string with its cells
// joined by TABs. One string per row instead of one per cell keeps a book
// of 100,000 addresses a few tens of megabytes smaller. A row may hold
// fewer cells than there are columns; the missing ones are empty.
class AddressTable
{
public:
    AddressTable() = default;
    // names: one per column, the end column's included.
    explicit AddressTable(QStringList columnNames);

    int columnCount() const { return int(m_names.size()); }
    int endColumn() const { return columnCount() - 1; }
    int rowCount() const { return int(m_rows.size()); }

    const QStringList &columnNames() const { return m_names; }
    QString columnName(int column) const { return m_names.value(column); }
    // Adds empty-named columns just before the end column.
    void addColumnsBeforeEnd(int count);

    // Empty for a column or row the table does not have.
    QStringView cellView(int row, int column) const;
    QString cell(int row, int column) const { return cellView(row, column).toString(); }
    // A TAB in the text becomes a space.
    void setCell(int row, int column, const QString &text);

    // The row's cells joined by TABs, as a reader produces them; the row
    // must not hold more cells than there are columns.
    void appendJoinedRow(QString joinedCells);
    void appendEmptyRow() { m_rows.emplace_back(); }
    void removeRows(int first, int count);
    // Moves a column; the columns between shift by one.
    void moveColumn(int from, int to);

    // Orders the rows by one column's text, ignoring case; rows with equal
    // text keep their order.
    void sortRows(int column, bool descending);

    // The row's cells, as many as it holds (an empty row holds one, empty).
    QStringList rowCells(int row) const;

    // The rows in order, each with its cells joined by TABs.
    const std::vector<QString> &joinedRows() const { return m_rows; }

private:
    QStringList m_names;
    std::vector<QString> m_rows;
};

// How many cells a TAB-joined row holds.
int cellCountOf(QStringView joinedCells);

} // namespace ferrowen

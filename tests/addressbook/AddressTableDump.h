#pragma once

#include "addressbook/AddressTable.h"

#include <QStringList>

#include <initializer_list>

namespace ferrowen::testing {

// A table as lines of cells joined by "|": the header first, then every
// row with one cell per column (the end column's included).
inline QStringList dump(const AddressTable &table)
{
    QStringList lines{table.columnNames().join(u'|')};
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << table.cell(row, column);
        lines << cells.join(u'|');
    }
    return lines;
}

inline QStringList lines(std::initializer_list<const char *> utf8Lines)
{
    QStringList result;
    for (const char *line : utf8Lines)
        result << QString::fromUtf8(line);
    return result;
}

} // namespace ferrowen::testing

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ferrowen {

// The addresses a merge sends to, copied from the open address book when
// the run starts, so that sorting, editing or opening another book during
// the run changes nothing.
struct MergeAddresses
{
    // The book's column names (as stored, without the grid's sort marker).
    QStringList columnNames;
    // The rows of the run's range, top to bottom, one cell per column.
    QList<QStringList> rows;
    // The column of the e-mail addresses; -1 when no book is open.
    int emailColumn = -1;
    // The book's file, and the number of the first row in the book (1 for
    // its first address row).
    QString bookPath;
    int firstBookRow = 1;

    QString address(int row) const { return rows.at(row).value(emailColumn); }
};

// The open address book, as a merge reads it.
class MergeAddressSource
{
public:
    virtual ~MergeAddressSource() = default;

    // A copy of the open book's rows: all of them, or the selected block,
    // with the book's file.
    virtual MergeAddresses addressesToMerge(bool selectedOnly) = 0;
};

} // namespace ferrowen

#include "addressbook/AddressColumns.h"

#include <QList>

namespace ferrowen {

namespace {

bool columnHoldsAddress(const AddressTable &table, int column)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        if (looksLikeAddress(table.cellView(row, column)))
            return true;
    }
    return false;
}

int emailColumnByName(const AddressTable &table, const QList<int> &named)
{
    if (named.size() < 2 || columnHoldsAddress(table, named.first()))
        return named.value(0, -1);
    for (int column : named.sliced(1)) {
        if (columnHoldsAddress(table, column))
            return column;
    }
    return named.first();
}

// The first cell holding an address, row by row; the header row is
// searched only when there are no address rows.
int emailColumnByContent(const AddressTable &table)
{
    const int visible = table.endColumn();
    if (table.rowCount() == 0) {
        for (int column = 0; column < visible; ++column) {
            if (looksLikeAddress(table.columnName(column)))
                return column;
        }
        return -1;
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < visible; ++column) {
            if (looksLikeAddress(table.cellView(row, column)))
                return column;
        }
    }
    return -1;
}

// Moves a column and keeps the recorded positions of the others on their
// columns.
void moveNamedColumn(AddressTable &table, AddressColumns &columns, int &moved, int to)
{
    const int from = moved;
    table.moveColumn(from, to);
    for (int *other : {&columns.email, &columns.firstName, &columns.lastName}) {
        if (other == &moved || *other < 0)
            continue;
        if (*other == from) // one header can name two roles
            *other = to;
        else if (from < to && *other > from && *other <= to)
            --*other;
        else if (from > to && *other >= to && *other < from)
            ++*other;
    }
    moved = to;
}

} // namespace

bool looksLikeAddress(QStringView cell)
{
    return cell.contains(u'@') && cell.contains(u'.');
}

AddressColumns placeNamedColumns(AddressTable &table)
{
    AddressColumns columns;
    QList<int> emailNamed;
    for (int column = 0; column < table.endColumn(); ++column) {
        const QString name = table.columnName(column).toLower();
        if (name.contains(QLatin1String("email")) || name.contains(QLatin1String("e-mail")))
            emailNamed.append(column);
        if (columns.firstName < 0 && name.contains(QLatin1String("first")))
            columns.firstName = column;
        if (columns.lastName < 0 && name.contains(QLatin1String("last")))
            columns.lastName = column;
    }
    columns.email = emailColumnByName(table, emailNamed);

    if (columns.firstName > 0)
        moveNamedColumn(table, columns, columns.firstName, 0);
    if (columns.lastName > 1)
        moveNamedColumn(table, columns, columns.lastName, 1);

    if (columns.email < 0 && table.endColumn() > 0) {
        columns.email = emailColumnByContent(table);
        if (columns.email < 0) {
            columns.addressesFound = false;
            columns.email = 0;
        }
    }
    if (columns.email > 2)
        moveNamedColumn(table, columns, columns.email, 2);
    return columns;
}

} // namespace ferrowen

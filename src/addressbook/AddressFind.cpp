#include "addressbook/AddressFind.h"

namespace ferrowen {

std::optional<int> findAddressRow(const AddressTable &table, int column, QStringView text)
{
    if (text.isEmpty() || column < 0 || column >= table.columnCount())
        return std::nullopt;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.cellView(row, column).startsWith(text, Qt::CaseInsensitive))
            return row;
    }
    return std::nullopt;
}

} // namespace ferrowen

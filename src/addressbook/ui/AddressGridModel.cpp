#include "addressbook/ui/AddressGridModel.h"

namespace ferrowen {

AddressGridModel::AddressGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void AddressGridModel::setTable(AddressTable table)
{
    beginResetModel();
    m_table = std::move(table);
    m_marker.resetForNewBook();
    endResetModel();
}

void AddressGridModel::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    m_table.setCell(row, column, text);
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void AddressGridModel::appendEmptyRow()
{
    beginInsertRows({}, rowCount(), rowCount());
    m_table.appendEmptyRow();
    endInsertRows();
}

SortDirection AddressGridModel::sortByHeaderClick(int column)
{
    const int oldMarker = m_marker.column();
    const SortDirection direction = m_marker.click(column);
    // Rows change places but the current cell stays where it was, as in any
    // grid: persistent indexes keep their positions.
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_table.sortRows(column, direction == SortDirection::Descending);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    Q_EMIT headerDataChanged(Qt::Horizontal, std::min(oldMarker, column), std::max(oldMarker, column));
    return direction;
}

int AddressGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int AddressGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant AddressGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_table.cell(index.row(), index.column());
}

QVariant AddressGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return m_marker.headerText(section, m_table.columnName(section));
}

bool AddressGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setCell(index.row(), index.column(), value.toString());
    return true;
}

bool AddressGridModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_table.removeRows(row, count);
    endRemoveRows();
    return true;
}

} // namespace ferrowen

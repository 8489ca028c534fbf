#pragma once

#include "addressbook/AddressTable.h"
#include "addressbook/SortMarker.h"

#include <QAbstractTableModel>

namespace ferrowen {

// The open book as the grid shows it: one model row per address, the
// column names as the horizontal header (the sort marker drawn in front of
// the marked one), and the rows numbered from 1 as the vertical header.
class AddressGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit AddressGridModel(QObject *parent = nullptr);

    const AddressTable &table() const { return m_table; }
    // Shows another book; the sort marker goes back to column 0, undrawn.
    void setTable(AddressTable table);

    void setCell(int row, int column, const QString &text);
    void appendEmptyRow();

    // A click on a column's header: sorts by it (reversing a second click)
    // and moves the marker there.
    SortDirection sortByHeaderClick(int column);
    SortDirection sortDirection() const { return m_marker.sortDirection(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

private:
    AddressTable m_table;
    SortMarker m_marker;
};

} // namespace ferrowen

#include "store/ui/MessageListModel.h"

#include "store/TextOrder.h"

#include <QMimeData>

#include <algorithm>

namespace ferrowen {

MessageListModel::MessageListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void MessageListModel::setSentLayout(bool sent)
{
    if (sent == m_sentLayout)
        return;
    m_sentLayout = sent;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 2);
}

void MessageListModel::setRows(std::vector<ListedMessage> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void MessageListModel::clear()
{
    setRows({});
}

void MessageListModel::removeMessage(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void MessageListModel::sortRows(const ListSortOrder &order)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> positions = sortedRowOrder(m_rows, order);
    std::vector<int> newRowOf(positions.size());
    std::vector<ListedMessage> sorted;
    sorted.reserve(m_rows.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        newRowOf[size_t(positions[i])] = int(i);
        sorted.push_back(std::move(m_rows[size_t(positions[i])]));
    }
    m_rows = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(index.isValid() ? this->index(newRowOf[size_t(index.row())], index.column()) : QModelIndex());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void MessageListModel::applyChanges(const FolderChanges &changes, const ListSortOrder &order)
{
    // Each row moved on its own costs the view a pass over the list.
    constexpr qsizetype RowByRowLimit = 500;
    if (changes.gone.size() + qsizetype(changes.came.size()) > RowByRowLimit) {
        std::vector<ListedMessage> rows;
        rows.reserve(m_rows.size() + changes.came.size());
        std::copy_if(m_rows.cbegin(), m_rows.cend(), std::back_inserter(rows),
                     [&changes](const ListedMessage &row) { return !changes.gone.contains(row.fileName); });
        rows.insert(rows.end(), changes.came.cbegin(), changes.came.cend());
        // As a listing of the folder would give them.
        std::sort(rows.begin(), rows.end(),
                  [](const ListedMessage &a, const ListedMessage &b) { return lessIgnoringCase(a.fileName, b.fileName); });
        sortListedMessages(rows, order);
        setRows(std::move(rows));
        return;
    }
    if (!changes.gone.isEmpty()) {
        for (int row = rowCount() - 1; row >= 0; --row) {
            if (changes.gone.contains(m_rows[size_t(row)].fileName))
                removeMessage(row);
        }
    }
    const auto before = [&order](const ListedMessage &a, const ListedMessage &b) { return listedBefore(a, b, order); };
    for (const ListedMessage &came : changes.came) {
        const auto place = std::upper_bound(m_rows.begin(), m_rows.end(), came, before);
        const int row = int(place - m_rows.begin());
        beginInsertRows({}, row, row);
        m_rows.insert(place, came);
        endInsertRows();
    }
}

QStringList MessageListModel::fileNames() const
{
    QStringList names;
    names.reserve(qsizetype(m_rows.size()));
    for (const ListedMessage &row : m_rows)
        names.append(row.fileName);
    return names;
}

int MessageListModel::rowOf(const QString &fileName) const
{
    const auto found = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                    [&fileName](const ListedMessage &row) { return row.fileName == fileName; });
    return found == m_rows.cend() ? -1 : int(found - m_rows.cbegin());
}

int MessageListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MessageListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ListedMessage::ColumnCount;
}

QVariant MessageListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return message(index.row()).columnText(index.column() + 1);
}

QVariant MessageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section + 1) {
    case ListedMessage::First: return m_sentLayout ? tr("Sent To") : tr("From");
    case ListedMessage::Subject: return tr("Subject");
    case ListedMessage::Fourth: return m_sentLayout ? tr("From") : tr("To");
    case ListedMessage::Date: return tr("Date");
    default: return QString();
    }
}

Qt::ItemFlags MessageListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList MessageListModel::mimeTypes() const
{
    return {DragMimeType};
}

QMimeData *MessageListModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(DragMimeType, message(indexes.first().row()).fileName.toUtf8());
    return data;
}

Qt::DropActions MessageListModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

} // namespace ferrowen

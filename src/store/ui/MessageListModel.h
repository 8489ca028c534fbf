#pragma once

#include "store/FolderListing.h"
#include "store/ListedMessage.h"
#include "store/ListedMessageOrder.h"

#include <QAbstractTableModel>

#include <vector>

namespace ferrowen {

// The rows of the message list (ListMsg): six columns read from the file
// names; the last two (file name and date sort key) serve the program and
// stay hidden. Holds only the names, so 100,000 messages list and sort
// quickly. Rows can be dragged out (as a copy).
class MessageListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // What a dragged message carries: its file name.
    static inline const QString DragMimeType = QStringLiteral("application/x-ferrowen-saved-message");

    explicit MessageListModel(QObject *parent = nullptr);

    // The sent folder's titles: "Sent To" and "From" for columns 1 and 3.
    void setSentLayout(bool sent);
    void setRows(std::vector<ListedMessage> rows);
    void clear();
    void removeMessage(int row);
    // Sorts the rows; the current and selected rows stay with their messages.
    void sortRows(const ListSortOrder &order);

    // Takes what changed in the folder on disk: rows of files gone go, new
    // rows come in where `order` puts them, each on its own, so the
    // current and selected rows and the scroll position stay with their
    // messages. Past a few hundred changes the rows are replaced at once.
    void applyChanges(const FolderChanges &changes, const ListSortOrder &order);

    const ListedMessage &message(int row) const { return m_rows[size_t(row)]; }
    // The file names of the rows, in the list's order.
    QStringList fileNames() const;
    // The row of a file; -1 when none holds it.
    int rowOf(const QString &fileName) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    std::vector<ListedMessage> m_rows;
    bool m_sentLayout = false;
};

} // namespace ferrowen

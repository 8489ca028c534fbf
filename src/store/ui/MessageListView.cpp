#include "store/ui/MessageListView.h"

#include <QHeaderView>

namespace ferrowen {

MessageListView::MessageListView(QWidget *parent)
    : QTreeView(parent)
{
    setObjectName(QStringLiteral("ListMsg"));
    setAccessibleName(tr("Saved Messages"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    // Sorting is the pane's: a click turns the order as the pane decides.
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
}

void MessageListView::startDrag(Qt::DropActions supportedActions)
{
    Q_EMIT dragStarted();
    QTreeView::startDrag(supportedActions & Qt::CopyAction);
    Q_EMIT dragFinished();
}

} // namespace ferrowen

// What the saved-message pane does: folder lists, listing, preview, moving,
// deleting, sorting and dragging.
#include "store/ui/SavedFoldersPane.h"

#include "platform/MessageBoxes.h"
#include "store/FolderListing.h"
#include "store/FolderName.h"
#include "store/ui/DialogNewFolder.h"
#include "store/ui/MessageListModel.h"
#include "store/ui/MessageListView.h"
#include "store/ui/StoreHost.h"

#include <QComboBox>
#include <QDir>
#include <QDragMoveEvent>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>

namespace ferrowen {

void SavedFoldersPane::RefreshFolderLists(const QString &newFolder)
{
    const QStringList folders = savedMessageFolders(m_host.savedMessagesFolder());
    // A folder of exactly the new name wins over one that differs in case.
    int chosen = int(folders.indexOf(newFolder));
    for (int i = 0; chosen < 0 && i < folders.size(); ++i) {
        if (folders[i].toLower() == newFolder.toLower())
            chosen = i;
    }

    {
        // Filling the list is no choice of a folder: nothing is listed yet.
        const QSignalBlocker blocker(m_folders2);
        m_folders2->clear();
        m_folders2->addItems(folders);
        m_folders2->setCurrentRow(-1);
    }
    m_folders4->clear();
    for (const QString &folder : folders) {
        if (!isSentFolder(folder))
            m_folders4->addItem(folder);
    }
    m_folders4->setCurrentIndex(-1);
    m_host.showFolderChoices(folders, chosen);
    if (chosen >= 0)
        m_folders2->setCurrentRow(chosen);
}

void SavedFoldersPane::ListFolderMessages()
{
    if (m_host.isStarting() || m_dragging)
        return;
    const QListWidgetItem *current = m_folders2->currentItem();
    m_listedFolder = current ? current->text() : QString();
    m_listed = true;
    m_model->clear();
    setSentLayout(isSentFolder(m_listedFolder));
    watchListedFolder();

    stopProgress();
    // No folder chosen lists nothing rather than the store's own files.
    if (isValidFolderName(m_listedFolder)) {
        m_listingOrder = m_sortOrder;
        m_listing.start(folderPath(m_listedFolder), m_listingOrder);
        m_progressDelay.start();
    } else {
        m_listing.cancel();
        Q_EMIT folderListed(0);
    }

    m_host.showPreview(m_host.blankMessagePage());
    setActionsEnabled(false);
}

void SavedFoldersPane::showListAgain()
{
    if (m_host.isStarting() || m_dragging)
        return;
    const QListWidgetItem *current = m_folders2->currentItem();
    if (!m_listed || (current ? current->text() : QString()) != m_listedFolder) {
        ListFolderMessages();
        return;
    }
    if (m_changedOnDisk || !m_watching)
        updateFromDisk();
}

void SavedFoldersPane::watchListedFolder()
{
    if (const QStringList watched = m_folderWatch.directories(); !watched.isEmpty())
        m_folderWatch.removePaths(watched);
    m_changedOnDisk = false;
    m_watching = isValidFolderName(m_listedFolder) && m_folderWatch.addPath(folderPath(m_listedFolder));
}

void SavedFoldersPane::folderChangedOnDisk()
{
    m_changedOnDisk = true;
    // A folder removed or renamed leaves the watch: watched again once back.
    if (m_folderWatch.directories().isEmpty())
        m_watching = m_folderWatch.addPath(folderPath(m_listedFolder));
    if (m_list->isVisible())
        m_changeDelay.start();
}

void SavedFoldersPane::updateFromDisk()
{
    // A listing on its way brings the folder as it is; what changes while
    // it runs is looked for once it is in.
    if (!isValidFolderName(m_listedFolder) || m_listing.isRunning())
        return;
    m_changedOnDisk = false;
    m_listing.startChanges(folderPath(m_listedFolder), m_model->fileNames());
}

void SavedFoldersPane::takeChanges(const std::shared_ptr<FolderChanges> &changes)
{
    if (!changes->isEmpty()) {
        const int current = currentRow();
        const QString shown = current >= 0 ? m_model->message(current).fileName : QString();
        m_removing = true;
        m_model->applyChanges(*changes, m_sortOrder);
        m_removing = false;
        if (!shown.isEmpty()) {
            const int row = m_model->rowOf(shown);
            if (row < 0) {
                // The message shown is gone: the one now in its place, as
                // after a removal here.
                chooseRow(std::min(current, m_model->rowCount() - 1));
            } else if (row != currentRow()) {
                // The rows were replaced at once: the same message again,
                // without loading its preview anew.
                m_removing = true;
                const QModelIndex index = m_model->index(row, 0);
                m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                m_list->scrollTo(index);
                m_removing = false;
            }
        }
    }
    Q_EMIT folderUpdated();
    if (m_changedOnDisk && m_list->isVisible())
        m_changeDelay.start();
}

void SavedFoldersPane::chooseRow(int row)
{
    if (row < 0) {
        setActionsEnabled(false);
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_removing = true;
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_removing = false;
    ShowSavedMessage(index);
}

void SavedFoldersPane::stopProgress()
{
    m_progressDelay.stop();
    if (m_progressShown) {
        m_host.hideProgress();
        m_progressShown = false;
    }
}

void SavedFoldersPane::takeListing(const BackgroundFolderListing::Rows &rows)
{
    stopProgress();
    m_model->setRows(std::move(*rows));
    // A title clicked while the folder was read.
    if (!(m_listingOrder == m_sortOrder))
        m_model->sortRows(m_sortOrder);
    Q_EMIT folderListed(m_model->rowCount());
    if (m_changedOnDisk && m_list->isVisible())
        m_changeDelay.start();
}

void SavedFoldersPane::ShowSavedMessage(const QModelIndex &index)
{
    m_host.showPreview(messagePath(index.row()));
    for (QPushButton *button : {m_replyText, m_replyNoText, m_forward, m_sendAgain, m_delete})
        button->setEnabled(true);
    // Sent copies stay where they are.
    m_move->setEnabled(!m_sentLayout);
    m_list->setFocus();
}

void SavedFoldersPane::MoveSavedMessage()
{
    if (m_folders4->currentIndex() < 0) {
        m_host.messageBoxes().show(tr("You must select the folder you want to move the file to."));
        m_folders4->setFocus();
        return;
    }
    const QString destination = m_folders4->currentText();
    // Compared with the folder the list shows, which after a drag over the
    // folder list need not be the one chosen there.
    const int row = currentRow();
    if (destination.toLower() == m_listedFolder.toLower() || row < 0)
        return;
    const QString fileName = m_model->message(row).fileName;
    // QFile::rename refuses to replace an existing file.
    if (!QFile::rename(messagePath(row), QDir(folderPath(destination)).filePath(fileName))) {
        m_host.messageBoxes().show(tr("There was an error in attempting to move this file."));
        return;
    }
    SelectAfterRemoval(row);
}

void SavedFoldersPane::DeleteSavedMessage()
{
    const int row = currentRow();
    if (row < 0 || !QFile::remove(messagePath(row)))
        return;
    SelectAfterRemoval(row);
}

void SavedFoldersPane::SelectAfterRemoval(int position)
{
    // The list picks a new current row of its own as the row goes; the
    // choice made here is the one shown.
    m_removing = true;
    m_model->removeMessage(position);
    m_removing = false;
    chooseRow(std::min(position, m_model->rowCount() - 1));
}

void SavedFoldersPane::openNewFolderDialog()
{
    DialogNewFolder dialog(m_host.savedMessagesFolder(), m_host.messageBoxes(), m_list->window());
    if (dialog.exec() == QDialog::Accepted)
        RefreshFolderLists(dialog.folderName());
}

void SavedFoldersPane::sortByColumn(int column)
{
    m_sortOrder = nextSortOrder(m_sortOrder, column);
    m_model->sortRows(m_sortOrder);
    // The arrow shows on the column clicked, also for the date, which sorts
    // by its hidden key.
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(column - 1, m_sortOrder.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void SavedFoldersPane::previewLoaded(const QString &location, bool previewShown)
{
    if (previewShown && !location.toLower().contains(QLatin1String("blankmsg.htm")))
        m_list->setFocus();
}

void SavedFoldersPane::setSentLayout(bool sent)
{
    m_sentLayout = sent;
    m_model->setSentLayout(sent);
    m_replyText->setVisible(!sent);
    m_replyNoText->setVisible(!sent);
    m_forward->setVisible(!sent);
    m_sendAgain->setVisible(sent);
}

void SavedFoldersPane::setActionsEnabled(bool enabled)
{
    for (QPushButton *button : {m_replyText, m_replyNoText, m_forward, m_sendAgain, m_delete, m_move})
        button->setEnabled(enabled);
}

QString SavedFoldersPane::folderPath(const QString &folder) const
{
    return QDir(m_host.savedMessagesFolder()).filePath(folder);
}

QString SavedFoldersPane::messagePath(int row) const
{
    return QDir(folderPath(m_listedFolder)).filePath(m_model->message(row).fileName);
}

int SavedFoldersPane::currentRow() const
{
    const QModelIndex current = m_list->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

// --- Dragging a message over the folder list --------------------------------

bool SavedFoldersPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_folders2Viewport && handleFolderDrag(event))
        return true;
    return QObject::eventFilter(watched, event);
}

// The folder under the pointer is chosen (not listed) while a message is
// dragged over it; the drop is taken as a copy and changes nothing.
bool SavedFoldersPane::handleFolderDrag(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData()->hasFormat(MessageListModel::DragMimeType))
        return false;
    if (type != QEvent::Drop && m_dragging) {
        const int row = m_folders2->indexAt(drop->position().toPoint()).row();
        if (row >= 0 && row < m_folders2->count())
            m_folders2->setCurrentRow(row);
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    return true;
}

void SavedFoldersPane::endDrag()
{
    // The folder list shows the listed folder again, so it and the list
    // agree; still without listing it.
    for (int row = 0; row < m_folders2->count(); ++row) {
        if (m_folders2->item(row)->text() == m_listedFolder) {
            m_folders2->setCurrentRow(row);
            break;
        }
    }
    m_dragging = false;
}

} // namespace ferrowen

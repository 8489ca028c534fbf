#pragma once

#include "platform/ui/PaneParts.h"
#include "store/BackgroundFolderListing.h"
#include "store/ListedMessageOrder.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QComboBox;
class QFrame;
class QListWidget;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace ferrowen {

class MessageListModel;
class MessageListView;
class StoreHost;

// The "Saved Message Folders (local)" tab without its preview pane: the
// folder panel (Picture2) with the folder list ComboFolders2, the new-folder
// and manage-folders buttons and the move and delete buttons; the reply,
// forward and send-again buttons (Picture3); and the message list
// (ListMsg). The main window places them; this class owns them and what
// they do. The preview (WebBrowser2) is the window's, reached through the
// host.
class SavedFoldersPane : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QFrame *folders = nullptr; // Picture2
        QFrame *buttons = nullptr; // Picture3
        QTreeView *list = nullptr; // ListMsg
    };

    explicit SavedFoldersPane(StoreHost &host, QObject *parent = nullptr);
    ~SavedFoldersPane() override;

    Parts parts() const { return m_parts; }

    // Reads the folder names from disk into the four folder lists. The
    // folder named `newFolder` (when there is one) becomes the choice of
    // ComboFolders and ComboFolders2, which lists it; otherwise no folder is
    // chosen.
    void RefreshFolderLists(const QString &newFolder);
    // Lists the folder chosen in ComboFolders2 (not while the program starts
    // or a message is dragged). The rows arrive in the background:
    // folderListed tells when they are in.
    void ListFolderMessages();
    // The tab shows the pane again. The list stays as it is, with the
    // message chosen and its preview, while its folder is the one chosen;
    // what changed in the folder on disk since it was listed comes in row
    // by row, in the background (folderUpdated tells when). Another folder
    // chosen is listed.
    void showListAgain();
    // CommandMove and CommandDelete.
    void MoveSavedMessage();
    void DeleteSavedMessage();
    // "New Folder" (CommandAddFolder, and Command6 beside ComboFolders).
    void openNewFolderDialog();
    // A click on a title of the list: column from 1 to 6.
    void sortByColumn(int column);
    ListSortOrder sortOrder() const { return m_sortOrder; }
    // The folder whose messages the list shows.
    QString listedFolder() const { return m_listedFolder; }

    // The preview finished loading a page: a saved message shown there
    // hands the keyboard back to the list, so the arrow keys go on moving
    // through the messages.
    void previewLoaded(const QString &location, bool previewShown);

Q_SIGNALS:
    // The rows of the folder listed last are in the list.
    void folderListed(int messages);
    // The changes found in the listed folder on disk are in the list.
    void folderUpdated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFolderPanel();
    void buildButtons();
    void buildList();

    void ShowSavedMessage(const QModelIndex &index);
    void SelectAfterRemoval(int position);
    void takeListing(const BackgroundFolderListing::Rows &rows);
    void watchListedFolder();
    void folderChangedOnDisk();
    void updateFromDisk();
    void takeChanges(const std::shared_ptr<FolderChanges> &changes);
    void chooseRow(int row);
    void stopProgress();
    void setSentLayout(bool sent);
    void setActionsEnabled(bool enabled);
    QString folderPath(const QString &folder) const;
    QString messagePath(int row) const;
    int currentRow() const;
    void endDrag();
    bool handleFolderDrag(QEvent *event);

    StoreHost &m_host;
    Parts m_parts;
    PaneParts m_handedParts;
    MessageListView *m_list = nullptr;
    MessageListModel *m_model = nullptr;
    QListWidget *m_folders2 = nullptr;  // ComboFolders2
    // Its viewport, watched for drags; kept apart from the list, which may
    // already be in its destructor when the viewport goes.
    QPointer<QWidget> m_folders2Viewport;
    QComboBox *m_folders4 = nullptr;    // ComboFolders4
    QPushButton *m_replyText = nullptr; // CommandReplyText
    QPushButton *m_replyNoText = nullptr;
    QPushButton *m_forward = nullptr;
    QPushButton *m_sendAgain = nullptr;
    QPushButton *m_move = nullptr;
    QPushButton *m_delete = nullptr;

    BackgroundFolderListing m_listing;
    // A listing that takes long shows the progress bar.
    QTimer m_progressDelay;
    bool m_progressShown = false;

    // Tells when the listed folder changes on disk; without it (the system
    // watches no more folders) every showing looks for changes.
    QFileSystemWatcher m_folderWatch;
    bool m_watching = false;
    bool m_changedOnDisk = false;
    // Changes on disk seen while the list shows come in after a pause, so a
    // burst of them is looked for once.
    QTimer m_changeDelay;

    QString m_listedFolder;
    // A folder was listed since the start.
    bool m_listed = false;
    bool m_sentLayout = false;
    ListSortOrder m_sortOrder;
    // The order the running listing sorts its rows in.
    ListSortOrder m_listingOrder;
    bool m_dragging = false;
    // Set while rows are taken out or put in, so the list's own choice of
    // a new current row is not taken for the user's.
    bool m_removing = false;
};

} // namespace ferrowen

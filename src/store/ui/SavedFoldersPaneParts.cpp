// The controls of the saved-message pane and how they are wired.
#include "store/ui/SavedFoldersPane.h"

#include "platform/ui/FlowLayout.h"
#include "platform/ui/NamedWidget.h"
#include "store/ui/MessageListModel.h"
#include "store/ui/MessageListView.h"
#include "store/ui/StoreHost.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QFrame *panel(const char *objectName)
{
    auto *frame = named(new QFrame, objectName);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

SavedFoldersPane::SavedFoldersPane(StoreHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    buildList();
    buildFolderPanel();
    buildButtons();
    m_handedParts.add({m_parts.folders, m_parts.buttons, m_parts.list});

    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(100);
    connect(&m_progressDelay, &QTimer::timeout, this, [this] {
        if (!m_listing.isRunning())
            return;
        m_progressShown = true;
        m_host.showProgress(0, 0);
    });
    connect(&m_listing, &BackgroundFolderListing::finished, this, &SavedFoldersPane::takeListing);
    connect(&m_listing, &BackgroundFolderListing::changesFound, this, &SavedFoldersPane::takeChanges);
    connect(&m_folderWatch, &QFileSystemWatcher::directoryChanged, this, &SavedFoldersPane::folderChangedOnDisk);
    m_changeDelay.setSingleShot(true);
    m_changeDelay.setInterval(200);
    connect(&m_changeDelay, &QTimer::timeout, this, [this] {
        if (m_list->isVisible())
            updateFromDisk();
    });

    // Nothing is chosen before the first listing: nothing to act on.
    setSentLayout(false);
    setActionsEnabled(false);
}

SavedFoldersPane::~SavedFoldersPane()
{
    if (m_folders2Viewport)
        m_folders2Viewport->removeEventFilter(this);
}

void SavedFoldersPane::buildList()
{
    m_model = new MessageListModel(this);
    m_list = new MessageListView;
    m_list->setModel(m_model);
    // The file name and the date sort key travel with each row unseen.
    m_list->setColumnHidden(4, true);
    m_list->setColumnHidden(5, true);
    // The subject takes the room the other columns leave.
    QHeaderView *titles = m_list->header();
    titles->resizeSection(0, 200);
    titles->resizeSection(2, 160);
    titles->resizeSection(3, 140);
    titles->setSectionResizeMode(1, QHeaderView::Stretch);
    m_parts.list = m_list;

    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_removing && current.isValid())
                    ShowSavedMessage(current);
            });
    connect(titles, &QHeaderView::sectionClicked, this, [this](int section) { sortByColumn(section + 1); });
    connect(m_list, &MessageListView::dragStarted, this, [this] { m_dragging = true; });
    connect(m_list, &MessageListView::dragFinished, this, &SavedFoldersPane::endDrag);
}

void SavedFoldersPane::buildFolderPanel()
{
    m_parts.folders = panel("Picture2");
    auto *column = new QVBoxLayout(m_parts.folders);
    column->setContentsMargins(6, 6, 6, 6);

    m_folders2 = named(new QListWidget, "ComboFolders2");
    // A list is named by its own name only, never by a label beside it.
    m_folders2->setAccessibleName(tr("Folders"));
    m_folders2Viewport = m_folders2->viewport();
    m_folders2Viewport->setAcceptDrops(true);
    m_folders2Viewport->installEventFilter(this);
    auto *title = named(new QLabel(tr("  Folders")), "LabelFolders");
    title->setBuddy(m_folders2);
    connect(m_folders2, &QListWidget::currentRowChanged, this, [this] { ListFolderMessages(); });

    auto *addFolder = named(new QPushButton(tr("New &Folder...")), "CommandAddFolder");
    connect(addFolder, &QPushButton::clicked, this, &SavedFoldersPane::openNewFolderDialog);
    auto *manage = named(new QPushButton(tr("Mana&ge Folders...")), "RemoveFolder");
    connect(manage, &QPushButton::clicked, this, [this] { m_host.openInFileManager(m_host.savedMessagesFolder()); });

    m_move = named(new QPushButton(tr("&Move to:")), "CommandMove");
    connect(m_move, &QPushButton::clicked, this, &SavedFoldersPane::MoveSavedMessage);
    m_folders4 = named(new QComboBox, "ComboFolders4");
    m_folders4->setAccessibleName(tr("Move to Folder"));
    m_folders4->setMinimumContentsLength(8);
    connect(m_folders4, &QComboBox::activated, this, [this] { m_list->setFocus(); });
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(m_move);
    moveRow->addWidget(m_folders4, 1);

    m_delete = named(new QPushButton(tr("&Delete")), "CommandDelete");
    connect(m_delete, &QPushButton::clicked, this, &SavedFoldersPane::DeleteSavedMessage);

    column->addWidget(title);
    column->addWidget(m_folders2, 1);
    column->addWidget(addFolder);
    column->addWidget(manage);
    column->addSpacing(8);
    column->addLayout(moveRow);
    column->addWidget(m_delete);
}

void SavedFoldersPane::buildButtons()
{
    m_parts.buttons = panel("Picture3");
    // Wraps onto a second row when the pane is narrow.
    auto *row = new FlowLayout(m_parts.buttons);
    row->setContentsMargins(6, 2, 6, 2);
    const struct
    {
        QPushButton **button;
        const char *name;
        QString caption;
        SavedMessageAction action;
    } buttons[] = {
        {&m_replyText, "CommandReplyText", tr("&Reply (with original text)"), SavedMessageAction::ReplyWithText},
        {&m_replyNoText, "CommandReplyNoText", tr("Reply (&blank)"), SavedMessageAction::ReplyBlank},
        {&m_forward, "CommandForward", tr("For&ward"), SavedMessageAction::Forward},
        {&m_sendAgain, "CommandSendAgain", tr("Send &Again"), SavedMessageAction::SendAgain},
    };
    for (const auto &b : buttons) {
        auto *button = named(new QPushButton(b.caption), b.name);
        const SavedMessageAction action = b.action;
        connect(button, &QPushButton::clicked, this, [this, action] { m_host.runSavedMessageAction(action); });
        row->addWidget(button);
        *b.button = button;
    }
}

} // namespace ferrowen

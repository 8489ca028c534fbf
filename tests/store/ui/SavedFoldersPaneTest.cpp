// The saved-message pane on the offscreen platform, over a store in a
// temporary folder: the folder lists, the list and its layouts, sorting,
// moving and deleting, new folders and dragging.
#include "store/ui/DialogNewFolder.h"
#include "store/ui/SavedFoldersPane.h"
#include "store/ui/StoreHost.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragMoveEvent>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include "ModalAnswer.h"
#include "NamedChild.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "WaitFor.h"
#include "store/ui/MessageListModel.h"
#include "store/ui/MessageListView.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

class RecordingStoreHost : public StoreHost
{
public:
    QString store;
    QStringList previews;
    QStringList saveFolders;
    int saveFolderChosen = -2;
    QStringList fileManagerOpened;
    QList<SavedMessageAction> actions;
    ferrowen::testing::ScriptedMessageBoxes boxes;

    void runSavedMessageAction(SavedMessageAction action) override { actions << action; }
    bool isStarting() const override { return false; }
    MessageBoxes &messageBoxes() override { return boxes; }
    QString savedMessagesFolder() const override { return store; }
    QString blankMessagePage() const override { return QStringLiteral("blankmsg.htm"); }
    void showPreview(const QString &path) override { previews << path; }
    void showFolderChoices(const QStringList &folders, int chosen) override
    {
        saveFolders = folders;
        saveFolderChosen = chosen;
    }
    void openInFileManager(const QString &folder) override { fileManagerOpened << folder; }
    void showProgress(int, int) override {}
    void hideProgress() override {}
};

class SavedFoldersPaneTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    RecordingStoreHost host;
    std::unique_ptr<SavedFoldersPane> pane;
    QFrame window;

    void SetUp() override
    {
        host.store = dir.filePath(QStringLiteral("savedmgs"));
        for (const char *folder : {"Saved", "sent", "Work"})
            ASSERT_TRUE(QDir(host.store).mkpath(QLatin1String(folder)));
        pane = std::make_unique<SavedFoldersPane>(host);
        for (QWidget *part : {static_cast<QWidget *>(pane->parts().folders), static_cast<QWidget *>(pane->parts().buttons),
                              static_cast<QWidget *>(pane->parts().list)})
            part->setParent(&window);
        window.show();
    }

    void TearDown() override
    {
        pane.reset();
    }

    template<typename T = QWidget>
    T *child(const char *name) { return ferrowen::testing::namedChild<T>(window, name); }
    template<typename T>
    T *child(QWidget &dialog, const char *name) { return ferrowen::testing::namedChild<T>(dialog, name); }

    void addMessages(const char *folder, std::initializer_list<const char *> names)
    {
        for (const char *name : names)
            ferrowen::testing::writeFile(QDir(host.store).filePath(QLatin1String(folder) + u'/' + QString::fromUtf8(name)));
    }

    // Chooses the folder in ComboFolders2 and waits until it is listed.
    void list(const char *folder)
    {
        pane->RefreshFolderLists(QString());
        QSignalSpy listed(pane.get(), &SavedFoldersPane::folderListed);
        QListWidget *folders = child<QListWidget>("ComboFolders2");
        const QList<QListWidgetItem *> items = folders->findItems(QLatin1String(folder), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << folder;
        folders->setCurrentItem(items.first());
        ASSERT_TRUE(listed.wait(5000));
    }

    QAbstractItemModel *rows() { return pane->parts().list->model(); }
    QString column(int row, int column) { return rows()->index(row, column - 1).data().toString(); }
    QStringList firstColumn()
    {
        QStringList texts;
        for (int row = 0; row < rows()->rowCount(); ++row)
            texts << column(row, 1);
        return texts;
    }
    void select(int row)
    {
        QTreeView *view = pane->parts().list;
        view->selectionModel()->setCurrentIndex(rows()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    int currentRow() { return pane->parts().list->currentIndex().row(); }
    QString visibleButtons()
    {
        QStringList shown;
        for (const char *name : {"CommandReplyText", "CommandReplyNoText", "CommandForward", "CommandSendAgain"}) {
            if (!child(name)->isHidden())
                shown << QLatin1String(name);
        }
        return shown.join(u' ');
    }
    QString enabledButtons()
    {
        QStringList enabled;
        for (const char *name : {"CommandReplyText", "CommandReplyNoText", "CommandForward", "CommandSendAgain",
                                 "CommandDelete", "CommandMove"}) {
            if (child(name)->isEnabled())
                enabled << QLatin1String(name);
        }
        return enabled.join(u' ');
    }
    QString header(int section) { return rows()->headerData(section - 1, Qt::Horizontal).toString(); }
};

TEST_F(SavedFoldersPaneTest, folderListsComeFromDiskAndTheMoveListLeavesOutSent)
{
    ASSERT_TRUE(QDir(host.store).mkdir(QStringLiteral("SENT copies")));
    pane->RefreshFolderLists(QStringLiteral("work"));
    EXPECT_EQ(host.saveFolders, QStringList({QStringLiteral("Saved"), QStringLiteral("sent"), QStringLiteral("SENT copies"),
                                             QStringLiteral("Work")}));
    EXPECT_EQ(host.saveFolderChosen, 3);
    EXPECT_EQ(child<QListWidget>("ComboFolders2")->currentItem()->text(), QStringLiteral("Work"));
    auto *moveTo = child<QComboBox>("ComboFolders4");
    QStringList moveTargets;
    for (int i = 0; i < moveTo->count(); ++i)
        moveTargets << moveTo->itemText(i);
    EXPECT_EQ(moveTargets, QStringList({QStringLiteral("Saved"), QStringLiteral("SENT copies"), QStringLiteral("Work")}));
    EXPECT_EQ(moveTo->currentIndex(), -1);

    // At start-up no folder is new: none is chosen, nothing is listed.
    QSignalSpy listed(pane.get(), &SavedFoldersPane::folderListed);
    pane->RefreshFolderLists(QString());
    EXPECT_EQ(host.saveFolderChosen, -1);
    EXPECT_EQ(child<QListWidget>("ComboFolders2")->currentRow(), -1);
    EXPECT_EQ(listed.count(), 0);
}

TEST_F(SavedFoldersPaneTest, theSentFolderInAnyCaseHasItsOwnTitlesAndOnlySendAgain)
{
    ASSERT_TRUE(QDir(host.store).rename(QStringLiteral("sent"), QStringLiteral("SENT")));
    addMessages("SENT", {"bob&&Hi&&12#5#2026 7^50^16 PM&&sent message.htm"});
    addMessages("Saved", {"ann&&Hi&&12#5#2026 7^50^16 PM&&bob.htm"});

    list("SENT");
    EXPECT_EQ(QStringList({header(1), header(2), header(3), header(4)}),
              QStringList({QStringLiteral("Sent To"), QStringLiteral("Subject"), QStringLiteral("From"), QStringLiteral("Date")}));
    EXPECT_EQ(visibleButtons(), QStringLiteral("CommandSendAgain"));
    EXPECT_EQ(column(0, 3), QStringLiteral("sent message"));
    EXPECT_EQ(enabledButtons(), QString());
    select(0);
    // Sent copies cannot be moved.
    EXPECT_EQ(enabledButtons(), QStringLiteral("CommandReplyText CommandReplyNoText CommandForward CommandSendAgain CommandDelete"));
    EXPECT_EQ(host.previews.last(), QDir(host.store).filePath(QStringLiteral("SENT/bob&&Hi&&12#5#2026 7^50^16 PM&&sent message.htm")));

    list("Saved");
    EXPECT_EQ(header(1), QStringLiteral("From"));
    EXPECT_EQ(header(3), QStringLiteral("To"));
    EXPECT_EQ(visibleButtons(), QStringLiteral("CommandReplyText CommandReplyNoText CommandForward"));
    EXPECT_EQ(host.previews.last(), QStringLiteral("blankmsg.htm"));
    select(0);
    EXPECT_TRUE(child("CommandMove")->isEnabled());
    child<QPushButton>("CommandReplyNoText")->click();
    EXPECT_EQ(host.actions, QList<SavedMessageAction>{SavedMessageAction::ReplyBlank});
}

TEST_F(SavedFoldersPaneTest, theDateColumnSortsByDateBothWaysAcross1970And2026AndTheChosenMessageStaysChosen)
{
    addMessages("Saved", {"a2026&&s&&12#5#2026 7^50^16 PM&&t.htm", "b1970&&s&&Thu, 1 Jan 1970 00^00^01 +0000&&t.htm",
                          "c1999&&s&&1999-03-04T10^00^00Z&&t.htm", "dNoDate&&s&&whenever&&t.htm",
                          "e1976&&s&&7#4#1976 12^00^00 PM&&t.htm", "only&&three&&parts.htm"});
    list("Saved");
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("a2026 b1970 c1999 dNoDate e1976"));

    // The chosen message stays chosen where the sort puts it.
    select(0);
    pane->sortByColumn(4);
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("b1970 e1976 c1999 a2026 dNoDate"));
    EXPECT_EQ(currentRow(), 3);
    pane->sortByColumn(4);
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("dNoDate a2026 c1999 e1976 b1970"));
    // Another column sorts up; a later listing comes out in the order chosen.
    pane->sortByColumn(1);
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("a2026 b1970 c1999 dNoDate e1976"));
    pane->sortByColumn(1);
    list("Saved");
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("e1976 dNoDate c1999 b1970 a2026"));
}

// The tab shown again: the list, the chosen message and its preview stay
// while the folder is unchanged; what changed on disk meanwhile comes in
// row by row, never as a new listing; another folder chosen is listed.
TEST_F(SavedFoldersPaneTest, showingTheListAgainKeepsTheChoice_changesOnDiskComeInRowByRow)
{
    addMessages("Saved", {"b&&s&&d&&t.htm", "d&&s&&d&&t.htm", "f&&s&&d&&t.htm"});
    addMessages("Work", {"w&&s&&d&&t.htm"});
    list("Saved");
    select(1);
    const qsizetype previews = host.previews.size();
    QSignalSpy listed(pane.get(), &SavedFoldersPane::folderListed);
    const auto showAgain = [&] {
        window.show();
        pane->showListAgain();
    };
    const auto path = [this](const char *first) {
        return QDir(host.store).filePath(QStringLiteral("Saved/") + QLatin1String(first) + QStringLiteral("&&s&&d&&t.htm"));
    };

    window.hide();
    showAgain();
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("b d f"));
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(host.previews.size(), previews);

    // Changed while another tab showed: a file before the chosen one, one
    // after it, one gone.
    window.hide();
    addMessages("Saved", {"a&&s&&d&&t.htm", "e&&s&&d&&t.htm"});
    ASSERT_TRUE(QFile::remove(path("f")));
    showAgain();
    ASSERT_TRUE(waitFor([&] { return firstColumn().join(u' ') == QStringLiteral("a b d e"); }))
        << firstColumn().join(u' ').toStdString();
    EXPECT_EQ(column(currentRow(), 1), QStringLiteral("d"));
    EXPECT_EQ(host.previews.size(), previews);

    // The chosen message gone: the one now in its place is chosen and shown.
    window.hide();
    ASSERT_TRUE(QFile::remove(path("d")));
    showAgain();
    ASSERT_TRUE(waitFor([&] { return firstColumn().join(u' ') == QStringLiteral("a b e"); }))
        << firstColumn().join(u' ').toStdString();
    EXPECT_EQ(column(currentRow(), 1), QStringLiteral("e"));
    EXPECT_EQ(host.previews.last(), path("e"));
    EXPECT_EQ(listed.size(), 0);

    // Another folder chosen while away is listed anew.
    child<QListWidget>("ComboFolders2")->blockSignals(true);
    child<QListWidget>("ComboFolders2")->setCurrentItem(
        child<QListWidget>("ComboFolders2")->findItems(QStringLiteral("Work"), Qt::MatchExactly).value(0));
    child<QListWidget>("ComboFolders2")->blockSignals(false);
    showAgain();
    ASSERT_TRUE(listed.wait(5000));
    EXPECT_EQ(firstColumn().join(u' '), QStringLiteral("w"));
}

TEST_F(SavedFoldersPaneTest, removingAMessageChoosesTheOneAfterItOrTheNewLast)
{
    addMessages("Saved", {"1&&s&&d&&t.htm", "2&&s&&d&&t.htm", "3&&s&&d&&t.htm", "4&&s&&d&&t.htm", "5&&s&&d&&t.htm"});
    list("Saved");
    const auto path = [this](const char *first) {
        return QDir(host.store).filePath(QStringLiteral("Saved/") + QLatin1String(first) + QStringLiteral("&&s&&d&&t.htm"));
    };

    select(4);
    child<QPushButton>("CommandDelete")->click();
    EXPECT_FALSE(QFile::exists(path("5")));
    EXPECT_EQ(firstColumn(), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(host.previews.last(), path("4"));

    select(0);
    child<QPushButton>("CommandDelete")->click();
    EXPECT_EQ(column(currentRow(), 1), QStringLiteral("2"));
    EXPECT_EQ(host.previews.last(), path("2"));

    // A file that cannot be deleted stays listed.
    ASSERT_TRUE(QFile::remove(path("2")));
    child<QPushButton>("CommandDelete")->click();
    EXPECT_EQ(firstColumn(), QStringList({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));

    addMessages("Saved", {"2&&s&&d&&t.htm"});
    for (int i = 0; i < 2; ++i) {
        select(0);
        child<QPushButton>("CommandDelete")->click();
    }
    EXPECT_EQ(rows()->rowCount(), 1);
    select(0);
    child<QPushButton>("CommandDelete")->click();
    EXPECT_EQ(rows()->rowCount(), 0);
    EXPECT_EQ(enabledButtons(), QString());
}

TEST_F(SavedFoldersPaneTest, movingGoesIntoTheOtherFolderAndNeverOverAFileOrIntoItsOwnFolder)
{
    addMessages("Saved", {"a&&s&&d&&t.htm", "b&&s&&d&&t.htm"});
    addMessages("Work", {"b&&s&&d&&t.htm"});
    list("Saved");
    auto *moveTo = child<QComboBox>("ComboFolders4");
    auto *move = child<QPushButton>("CommandMove");

    select(0);
    move->click();
    EXPECT_EQ(host.boxes.texts(), QStringList{QStringLiteral("You must select the folder you want to move the file to.")});

    moveTo->setCurrentText(QStringLiteral("saved"));
    moveTo->setCurrentIndex(moveTo->findText(QStringLiteral("Saved")));
    move->click();
    EXPECT_EQ(rows()->rowCount(), 2);
    EXPECT_EQ(host.boxes.shown.size(), 1);

    moveTo->setCurrentIndex(moveTo->findText(QStringLiteral("Work")));
    select(1);
    move->click();
    EXPECT_EQ(host.boxes.texts().last(), QStringLiteral("There was an error in attempting to move this file."));
    EXPECT_EQ(rows()->rowCount(), 2);

    select(0);
    move->click();
    EXPECT_TRUE(QFile::exists(QDir(host.store).filePath(QStringLiteral("Work/a&&s&&d&&t.htm"))));
    EXPECT_FALSE(QFile::exists(QDir(host.store).filePath(QStringLiteral("Saved/a&&s&&d&&t.htm"))));
    EXPECT_EQ(firstColumn(), QStringList{QStringLiteral("b")});
    EXPECT_EQ(currentRow(), 0);
}

TEST_F(SavedFoldersPaneTest, aNewFolderNameThatWouldLeaveTheStoreOrExistsIsRefusedAndMakesNothing)
{
    // Each name in turn; a refused one leaves the dialog open.
    QStringList refused;
    ferrowen::testing::answerNextModal<DialogNewFolder>([&](DialogNewFolder &dialog) {
        auto *ok = child<QPushButton>(dialog, "OKButton");
        EXPECT_FALSE(ok->isEnabled());
        for (const char *name : {"../outside", "a/b", "a\\b", "..", ".", "Work", " Trips "}) {
            const qsizetype before = host.boxes.shown.size();
            child<QLineEdit>(dialog, "Text1")->setText(QString::fromUtf8(name));
            ok->click();
            if (host.boxes.shown.size() > before && dialog.isVisible())
                refused << QString::fromUtf8(name);
        }
        if (dialog.isVisible())
            dialog.reject();
    });
    pane->openNewFolderDialog();
    EXPECT_EQ(refused, QStringList({QStringLiteral("../outside"), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                    QStringLiteral(".."), QStringLiteral("."), QStringLiteral("Work")}));
    EXPECT_EQ(host.boxes.texts().first(),
              QStringLiteral("Unable to create directory. Please check to make sure you have entered a valid directory name."));
    EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("outside")));
    QStringList made = QDir(host.store).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    made.sort();
    EXPECT_EQ(made, QStringList({QStringLiteral(" Trips "), QStringLiteral("Saved"), QStringLiteral("Work"), QStringLiteral("sent")}));
    // The new folder is chosen and listed (empty).
    EXPECT_EQ(child<QListWidget>("ComboFolders2")->currentItem()->text(), QStringLiteral(" Trips "));
    EXPECT_EQ(pane->listedFolder(), QStringLiteral(" Trips "));
    EXPECT_EQ(host.saveFolders.at(host.saveFolderChosen), QStringLiteral(" Trips "));

    child<QPushButton>("RemoveFolder")->click();
    EXPECT_EQ(host.fileManagerOpened, QStringList{host.store});
}

TEST_F(SavedFoldersPaneTest, aMessageDraggedOverTheFoldersChoosesThemWithoutListingThenTheListedOneComesBack)
{
    addMessages("Saved", {"a&&s&&d&&t.htm"});
    list("Saved");
    auto *folders = child<QListWidget>("ComboFolders2");
    auto *view = qobject_cast<MessageListView *>(pane->parts().list);
    ASSERT_NE(view, nullptr);
    QSignalSpy listed(pane.get(), &SavedFoldersPane::folderListed);

    Q_EMIT view->dragStarted();
    QMimeData data;
    data.setData(MessageListModel::DragMimeType, "a&&s&&d&&t.htm");
    const QPoint overWork = folders->visualItemRect(folders->item(2)).center();
    QDragEnterEvent enter(overWork, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(folders->viewport(), &enter);
    QDragMoveEvent move(overWork, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(folders->viewport(), &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(folders->currentItem()->text(), QStringLiteral("Work"));
    QDropEvent drop(overWork, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(folders->viewport(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    Q_EMIT view->dragFinished();

    EXPECT_EQ(folders->currentItem()->text(), QStringLiteral("Saved"));
    EXPECT_EQ(listed.count(), 0);
    EXPECT_EQ(rows()->rowCount(), 1);
    EXPECT_TRUE(QFile::exists(QDir(host.store).filePath(QStringLiteral("Saved/a&&s&&d&&t.htm"))));
}

} // namespace

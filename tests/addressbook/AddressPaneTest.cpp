// The address pane on the offscreen platform: books opened, saved and
// made through its toolbar and dialogs, cells edited through TextEdit, the
// grid's sorting, adding, removing and finding, the sender of the displayed
// message, and the palette.
#include "addressbook/ui/AddressBookHost.h"
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "webmail/ComposeState.h"
#include "webmail/ProviderProfile.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>

#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::fileBytes;
using ferrowen::testing::waitFor;

namespace {

class RecordingAddressBookHost : public AddressBookHost
{
public:
    void insertIntoComposeForm(InsertField field) override { inserted << field; }
    QString mainDir() const override { return dir; }
    MessageBoxes &messageBoxes() override { return boxes; }
    FileDialogs &fileDialogs() override { return dialogs; }
    void showWebmailTab() override { webmailTabShown = true; }
    QString webmailPageText() override { return pageText; }
    const ProviderProfile &detectProvider() override { return profileForKey(provider); }
    QString webmailSenderThroughScript(const ProviderProfile &) override
    {
        if (!scriptSender)
            throw WebPageError(QStringLiteral("no message is displayed"));
        return *scriptSender;
    }
    ComposeState &webmailState() override { return webmail; }
    void setStatusText(int panel, const QString &text) override { status[panel] = text; }

    QString dir;
    QList<InsertField> inserted;
    bool webmailTabShown = false;
    QString pageText;
    QString provider = YahooKey;
    std::optional<QString> scriptSender;
    ComposeState webmail;
    std::map<int, QString> status;
    ferrowen::testing::ScriptedMessageBoxes boxes;
    ferrowen::testing::ScriptedFileDialogs dialogs;
};

const QByteArray TenAddresses = "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
                                "\"Ann\",\"Lee\",\"ann@example.com\",\"\"\r\n"
                                "\"Bob\",\"Smart\",\"bob@example.com\",\"\"\r\n"
                                "\"Cy\",\"smith\",\"cy@example.com\",\"\"\r\n"
                                "\"Di\",\"Small\",\"di@example.com\",\"\"\r\n"
                                "\"Ed\",\"Ng\",\"ed@example.com\",\"\"\r\n"
                                "\"Flo\",\"Oz\",\"flo@example.com\",\"\"\r\n"
                                "\"Gus\",\"Po\",\"gus@example.com\",\"\"\r\n"
                                "\"Hal\",\"Qi\",\"hal@example.com\",\"\"\r\n"
                                "\"Ida\",\"Ro\",\"ida@example.com\",\"\"\r\n"
                                "\"Jo\",\"Su\",\"jo@example.com\",\"\"\r\n";

class AddressPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.dir = main.path() + u'/';
        ASSERT_TRUE(QDir(main.path()).mkpath(QStringLiteral("addrbooks")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(FERROWEN_BLANK_BOOK), main.filePath(QStringLiteral("blank.dat"))));
        const AddressPane::Parts parts = pane.parts();
        auto *column = new QVBoxLayout(&window);
        for (QWidget *part : {static_cast<QWidget *>(parts.toolbar), static_cast<QWidget *>(parts.bookName),
                              static_cast<QWidget *>(parts.cellLabel), static_cast<QWidget *>(parts.cellEditor),
                              static_cast<QWidget *>(parts.grid)})
            column->addWidget(part);
        window.resize(500, 400);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QString writeBook(const char *name, const QByteArray &bytes)
    {
        return ferrowen::testing::writeFile(main.filePath(QStringLiteral("addrbooks/") + QLatin1String(name)), bytes);
    }

    void open(const QString &path)
    {
        host.dialogs.openAnswers << path;
        pane.Open_CSV();
    }

    void trigger(const char *key) { pane.parts().toolbar->findChild<QAction *>(QLatin1String(key))->trigger(); }

    QString column(int col)
    {
        QStringList cells;
        for (int row = 1; row < grid->Rows(); ++row)
            cells << grid->TextMatrix(row, col);
        return cells.join(u' ');
    }

    void clickCell(int row, int col)
    {
        grid->scrollTo(grid->model()->index(row - 1, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row - 1, col)).center());
    }

    void pressHeader(int col)
    {
        QHeaderView *header = grid->horizontalHeader();
        const QPoint centre(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, centre);
    }

    QString headerText(int col) { return grid->model()->headerData(col, Qt::Horizontal).toString(); }

    QTemporaryDir main;
    RecordingAddressBookHost host;
    QWidget window;
    AddressPane pane{host};
    AddressGrid *grid = pane.parts().grid;
    QLineEdit *textEdit = pane.parts().cellEditor;
    QLabel *labelEdit = pane.parts().cellLabel;
};

TEST_F(AddressPaneTest, open_asksForABookThenShowsIt)
{
    EXPECT_TRUE(grid->isHidden());
    pane.Open_CSV(); // cancelled
    EXPECT_EQ(host.dialogs.captionsShown, QStringList{QStringLiteral("Open Address List")});
    EXPECT_EQ(host.dialogs.foldersShown, QStringList{host.dir + QStringLiteral("addrbooks/")});
    EXPECT_EQ(host.dialogs.filtersShown,
              QStringList{QStringLiteral("Address Book (*.csv);;Tab Delimited Text File (*.txt)")});
    EXPECT_TRUE(pane.currentPath().isEmpty());
    EXPECT_TRUE(grid->isHidden());
    EXPECT_EQ(pane.selectedAddresses(), std::nullopt) << "no book: nothing to insert";

    const QString path = writeBook("work.csv", "Email,Name,First Name,\r\nann@x.org,Ann Lee,Ann,\r\n");
    open(path);
    EXPECT_FALSE(grid->isHidden());
    EXPECT_EQ(pane.parts().bookName->text(), QStringLiteral("work.csv Address Book:  "));
    EXPECT_EQ(pane.currentPath(), path);
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->Cols(), 4);
    EXPECT_EQ(pane.EmailColumn(), 1);
    EXPECT_EQ(grid->TextMatrix(0, 0), QStringLiteral("First Name"));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("ann@x.org"));
    EXPECT_TRUE(grid->isColumnHidden(3));
    EXPECT_TRUE(host.boxes.shown.isEmpty());

    // Without a last-name column every column gets 700 twips.
    EXPECT_EQ(grid->columnWidth(1), grid->columnWidth(0));
    open(writeBook("named.csv", "First Name,Last Name,Email,Phone,\r\n"));
    EXPECT_GT(grid->columnWidth(2), grid->columnWidth(1));
    EXPECT_EQ(grid->Rows(), 1);
}

TEST_F(AddressPaneTest, bookWithoutAddresses_warnsAndUsesColumn0)
{
    open(writeBook("plain.txt", "Name\tPhone\t\r\nAnn\t1\t\r\n"));
    EXPECT_EQ(host.boxes.texts(),
              QStringList{QStringLiteral("Warning: Your address book does not appear to contain any email addresses.")});
    EXPECT_EQ(pane.EmailColumn(), 0);
}

TEST_F(AddressPaneTest, openingAnotherBook_writesTheOpenOneBackFirst)
{
    const QString first = writeBook("first.csv", TenAddresses);
    open(first);
    grid->addressModel().setCell(0, 0, QStringLiteral("Anne \"Nan\""));
    open(writeBook("second.txt", "A\tEmail\t\r\nx\ty@z.org\t\r\n"));
    EXPECT_TRUE(fileBytes(first).startsWith("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
                                           "\"Anne \"\"Nan\"\"\",\"Lee\",\"ann@example.com\",\"\"\r\n"));

    // The save key writes at once and says where; so does closing the program.
    const QString second = pane.currentPath();
    grid->addressModel().setCell(0, 0, QStringLiteral("edited"));
    trigger("save");
    EXPECT_EQ(fileBytes(second), QByteArray("A\tEmail\t\r\nedited\ty@z.org\t\r\n"));
    EXPECT_EQ(host.status[2], QStringLiteral("Saved ") + QDir::toNativeSeparators(second));
    grid->addressModel().setCell(0, 0, QStringLiteral("at exit"));
    pane.saveAtExit();
    EXPECT_EQ(fileBytes(second), QByteArray("A\tEmail\t\r\nat exit\ty@z.org\t\r\n"));
}

// A book that cannot be written at exit is not given up unasked.
TEST_F(AddressPaneTest, saveThatFailsAtExit_asksToRetrySaveElsewhereOrQuitWithoutSaving)
{
    using Answer = MessageBoxes::Answer;
    const struct
    {
        const char *what;
        QList<Answer> answers;
        QStringList saveAnswers;
        int questions;
        bool savedElsewhere;
    } rows[] = {
        {"quit without saving", {Answer::Discard}, {}, 1, false},
        {"retry, which fails again", {Answer::Retry, Answer::Discard}, {}, 2, false},
        {"save elsewhere", {Answer::SaveElsewhere}, {QStringLiteral("elsewhere.csv")}, 1, true},
        {"save elsewhere, then cancel the dialog", {Answer::SaveElsewhere, Answer::Discard}, {QString()}, 2, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const QString book = writeBook("book.csv", TenAddresses);
        open(book); // the book saved elsewhere before is written back first
        const QString elsewhere = main.filePath(QStringLiteral("elsewhere.csv"));
        QFile::remove(elsewhere);
        grid->addressModel().setCell(0, 0, QStringLiteral("changed"));
        QFile::remove(book);
        ASSERT_TRUE(QDir().mkpath(book)); // a folder where the file was
        host.boxes.shown.clear();
        host.boxes.answers = row.answers;
        for (const QString &answer : row.saveAnswers)
            host.dialogs.saveAnswers << (answer.isEmpty() ? answer : elsewhere);

        pane.saveAtExit();
        ASSERT_EQ(host.boxes.shown.size(), row.questions);
        EXPECT_EQ(host.boxes.shown[0].buttons, MessageBoxes::Buttons::RetrySaveElsewhereDiscard);
        EXPECT_TRUE(host.boxes.shown[0].text.startsWith(QStringLiteral("Unable to save the address book")));
        EXPECT_EQ(fileBytes(elsewhere).contains("changed"), row.savedElsewhere);
        ASSERT_TRUE(QDir(book).removeRecursively());
    }

    // The save key says why not, too.
    open(writeBook("book.csv", TenAddresses));
    QFile::remove(pane.currentPath());
    ASSERT_TRUE(QDir().mkpath(pane.currentPath()));
    trigger("save");
    EXPECT_EQ(host.status[2], QStringLiteral("Address book not saved"));
    EXPECT_TRUE(host.boxes.shown.last().text.startsWith(QStringLiteral("Unable to save the address book")));
}

TEST_F(AddressPaneTest, bookThatCannotBeRead_leavesTheOpenOneInPlace)
{
    const QString first = writeBook("first.csv", TenAddresses);
    open(first);
    open(main.filePath(QStringLiteral("addrbooks/gone.csv")));
    ASSERT_EQ(host.boxes.shown.size(), 1);
    EXPECT_TRUE(host.boxes.shown[0].text.startsWith(QStringLiteral("Unable to open the address book")));
    EXPECT_EQ(pane.currentPath(), first);
    EXPECT_EQ(grid->Rows(), 11);
    EXPECT_EQ(pane.parts().bookName->text(), QStringLiteral("first.csv Address Book:  "));

    // A book that cannot be written back is not replaced by another one.
    QFile::remove(first);
    ASSERT_TRUE(QDir().mkpath(first)); // a folder where the file was
    grid->addressModel().setCell(0, 0, QStringLiteral("kept"));
    open(writeBook("other.csv", "A,\r\n"));
    EXPECT_TRUE(host.boxes.shown.last().text.startsWith(QStringLiteral("Unable to save the address book")));
    EXPECT_EQ(pane.currentPath(), first);
    EXPECT_EQ(grid->TextMatrix(1, 0), QStringLiteral("kept"));
}

TEST_F(AddressPaneTest, editingACell_throughTextEdit)
{
    open(writeBook("book.csv", TenAddresses));
    clickCell(2, 2);
    EXPECT_EQ(textEdit->text(), QStringLiteral("bob@example.com"));
    EXPECT_EQ(labelEdit->text(), QStringLiteral("Email :"));
    EXPECT_TRUE(grid->isHighlighted(grid->currentIndex()));
    EXPECT_TRUE(waitFor([&] { return textEdit->hasFocus(); }));

    textEdit->selectAll();
    QTest::keyClicks(textEdit, QStringLiteral("abc"));
    EXPECT_EQ(grid->TextMatrix(2, 2), QStringLiteral("abc"));
    // TAB moves on and is not stored.
    QTest::keyClick(textEdit, Qt::Key_Tab);
    EXPECT_EQ(grid->TextMatrix(2, 2), QStringLiteral("abc"));
    EXPECT_EQ(grid->Col(), 2); // the hidden end column is never entered
    clickCell(2, 1);
    QTest::keyClick(textEdit, Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_FALSE(grid->isHighlighted(grid->model()->index(1, 1)));
    EXPECT_TRUE(grid->isHighlighted(grid->currentIndex()));
    QTest::keyClick(textEdit, Qt::Key_Backtab);
    EXPECT_EQ(grid->Col(), 1);
    QTest::keyClick(textEdit, Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 0);

    // Pasting a line break stores only what comes before it.
    textEdit->clear();
    textEdit->insert(QStringLiteral("first\r\nsecond"));
    Q_EMIT textEdit->textEdited(textEdit->text());
    EXPECT_EQ(grid->TextMatrix(2, 0), QStringLiteral("first"));

    QTest::keyClick(textEdit, Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    QTest::keyClick(textEdit, Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    QTest::keyClick(textEdit, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);

    // Enter on the last row adds a row and moves into it.
    clickCell(10, 0);
    QTest::keyClick(textEdit, Qt::Key_Return);
    EXPECT_EQ(grid->Rows(), 12);
    EXPECT_EQ(grid->Row(), 11);
    EXPECT_EQ(textEdit->text(), QString());
}

TEST_F(AddressPaneTest, headerClicks_sortUpThenDownWithTheMarker)
{
    open(writeBook("book.csv", TenAddresses));
    clickCell(1, 1);
    pressHeader(1);
    EXPECT_EQ(headerText(1), QStringLiteral("^ Last Name"));
    EXPECT_EQ(column(1), QStringLiteral("Lee Ng Oz Po Qi Ro Small Smart smith Su"));
    // The current cell stays where it was; the box shows what it now holds.
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(textEdit->text(), QStringLiteral("Lee"));
    pressHeader(1);
    EXPECT_EQ(headerText(1), QStringLiteral("v Last Name"));
    EXPECT_EQ(column(1), QStringLiteral("Su smith Smart Small Ro Qi Po Oz Ng Lee"));
    EXPECT_EQ(textEdit->text(), QStringLiteral("Su"));
    pressHeader(0);
    EXPECT_EQ(headerText(1), QStringLiteral("Last Name"));
    EXPECT_EQ(headerText(0), QStringLiteral("^ First Name"));
    EXPECT_EQ(int(grid->addressModel().sortDirection()), 5);

    // The file keeps the names without the marker.
    EXPECT_TRUE(pane.SaveAddressBook());
    EXPECT_TRUE(fileBytes(pane.currentPath()).startsWith("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Ann\""));
}

TEST_F(AddressPaneTest, removingRows_asksForABlockOnlyAndKeepsOneRow)
{
    open(writeBook("book.csv", TenAddresses));
    clickCell(3, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualRect(grid->model()->index(4, 0)).center());
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->RowSel(), 3);
    host.boxes.answers << MessageBoxes::Answer::No;
    trigger("remove");
    EXPECT_EQ(grid->Rows(), 11);
    trigger("remove");
    ASSERT_EQ(host.boxes.texts(), QStringList(2, QStringLiteral("Delete the selected addresses?")));
    EXPECT_EQ(column(0), QStringLiteral("Ann Bob Flo Gus Hal Ida Jo"));
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(textEdit->text(), QStringLiteral("Flo"));

    // The last row goes without a question; the row before becomes current.
    clickCell(7, 0);
    trigger("remove");
    EXPECT_EQ(host.boxes.shown.size(), 2);
    EXPECT_EQ(grid->Rows(), 7);
    EXPECT_EQ(grid->Row(), 6);

    // Every row (the current cell inside the block): one empty row is left.
    grid->selectionModel()->setCurrentIndex(grid->model()->index(2, 0), QItemSelectionModel::NoUpdate);
    grid->selectAll();
    trigger("remove");
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(column(2), QString());
    EXPECT_EQ(grid->Row(), 1);

    trigger("add");
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(AddressPaneTest, findDialog_searchesTheChosenColumnByPrefix)
{
    open(writeBook("book.csv", TenAddresses));
    trigger("find");
    auto *find = window.findChild<QDialog *>(QStringLiteral("DialogFind"));
    ASSERT_NE(find, nullptr);
    EXPECT_FALSE(find->isModal());
    auto *columns = find->findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *text = find->findChild<QLineEdit *>(QStringLiteral("Text1"));
    EXPECT_EQ(columns->count(), 4);
    EXPECT_EQ(columns->currentIndex(), 0);

    columns->setCurrentIndex(1);
    Q_EMIT columns->activated(1);
    text->setText(QStringLiteral("sm"));
    EXPECT_EQ(grid->Row(), 2); // Smart
    EXPECT_EQ(grid->Col(), 1);
    text->setText(QStringLiteral("SMI"));
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(textEdit->text(), QStringLiteral("smith"));
    text->setText(QStringLiteral("zz"));
    text->clear();
    EXPECT_EQ(grid->Row(), 3);

    // The chosen column is kept for the next opening.
    find->close();
    trigger("find");
    EXPECT_EQ(columns->currentIndex(), 1);
}

TEST_F(AddressPaneTest, newBook_isACopyOfTheTemplateInTheBooksFolder)
{
    const auto answerDialog = [](const QString &name) {
        QTimer::singleShot(0, [name] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New Address Book"));
            auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OKButton"));
            EXPECT_FALSE(ok->isEnabled());
            dialog->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(name);
            ok->click();
            // Still open after a refusal: cancel it.
            if (QApplication::activeModalWidget() == dialog)
                dialog->findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
        });
    };
    const QString friends = main.filePath(QStringLiteral("addrbooks/friends.csv"));
    answerDialog(QStringLiteral("friends"));
    trigger("new");
    EXPECT_EQ(fileBytes(friends), fileBytes(main.filePath(QStringLiteral("blank.dat"))));
    EXPECT_EQ(pane.currentPath(), friends);
    EXPECT_EQ(pane.EmailColumn(), 2);

    // An existing name is overwritten only when the user says so.
    grid->addressModel().appendEmptyRow();
    grid->addressModel().setCell(0, 0, QStringLiteral("Zed"));
    host.boxes.answers << MessageBoxes::Answer::No;
    answerDialog(QStringLiteral("friends"));
    trigger("new");
    ASSERT_EQ(host.boxes.shown.size(), 1);
    EXPECT_EQ(host.boxes.shown[0].text,
              QStringLiteral("An address book with this name already exists. Do you want to overwrite it?"));
    EXPECT_EQ(host.boxes.shown[0].buttons, MessageBoxes::Buttons::YesNoDefaultNo);
    EXPECT_TRUE(fileBytes(friends).contains("Zed")); // written back when "new" was pressed

    // Overwriting the open book itself gives a blank book, not the old rows.
    host.boxes.answers << MessageBoxes::Answer::Yes;
    answerDialog(QStringLiteral("friends"));
    trigger("new");
    EXPECT_EQ(fileBytes(friends), fileBytes(main.filePath(QStringLiteral("blank.dat"))));
    EXPECT_FALSE(column(0).contains(QStringLiteral("Zed")));

    // Names that would leave the folder are refused.
    answerDialog(QStringLiteral("../escape"));
    trigger("new");
    EXPECT_EQ(host.boxes.shown.last().text,
              QStringLiteral("Unable to create address book. Please check to make sure you have entered a valid file name."));
    EXPECT_FALSE(QFile::exists(main.filePath(QStringLiteral("escape.csv"))));
    EXPECT_EQ(pane.currentPath(), friends);
}

TEST_F(AddressPaneTest, palette_listsTheAddressesAndFollowsTheOpenBook)
{
    open(writeBook("book.csv", TenAddresses));
    pane.showPalette();
    auto *palette = window.findChild<QWidget *>(QStringLiteral("FormEmail"));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->windowTitle(), QStringLiteral("Email Addresses"));
    EXPECT_TRUE(palette->windowFlags() & Qt::WindowStaysOnTopHint);
    auto *list = palette->findChild<QComboBox *>(QStringLiteral("Combo1"));
    EXPECT_EQ(list->count(), 10);
    list->setCurrentIndex(3);
    Q_EMIT list->activated(3);
    EXPECT_EQ(host.inserted, QList<InsertField>{InsertField::PaletteTo});
    EXPECT_EQ(pane.paletteAddress(), QStringLiteral("di@example.com"));

    open(writeBook("small.csv", "Name,Email\r\nZed,zed@x.org\r\n"));
    EXPECT_TRUE(pane.isPaletteOpen());
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->itemText(0), QStringLiteral("zed@x.org"));
}

TEST_F(AddressPaneTest, senderOfTheDisplayedMessage_becomesANewRowAndReachesTheOpenPalette)
{
    const QString book = writeBook("book.csv", TenAddresses);
    open(book);
    pane.showPalette();
    host.status[2] = QStringLiteral("Msg Saved");
    host.pageText = QStringLiteral("Inbox\r\nFrom: \"John Q Public\" <jqp@example.com> | Add to Address Book\r\n"
                                   "To: you@example.com\r\nSubject: Hello");
    trigger("addmsg");

    EXPECT_TRUE(host.webmailTabShown);
    EXPECT_TRUE(host.boxes.shown.isEmpty()) << host.boxes.texts().join(u' ').toStdString();
    ASSERT_EQ(grid->Rows(), 12);
    EXPECT_EQ(QStringList({grid->TextMatrix(11, 0), grid->TextMatrix(11, 1), grid->TextMatrix(11, 2)}),
              QStringList({QStringLiteral("John"), QStringLiteral("Public"), QStringLiteral("jqp@example.com")}));
    EXPECT_EQ(grid->Row(), 11);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(textEdit->text(), QStringLiteral("jqp@example.com"));
    EXPECT_TRUE(textEdit->hasFocus());
    EXPECT_EQ(host.status[2], QStringLiteral("Addr Added"));
    ASSERT_TRUE(pane.isPaletteOpen());
    QComboBox *list = window.findChild<QWidget *>(QStringLiteral("FormEmail"))->findChild<QComboBox *>(QStringLiteral("Combo1"));
    EXPECT_EQ(list->count(), 11);
    EXPECT_EQ(list->itemText(10), QStringLiteral("jqp@example.com"));
    ASSERT_TRUE(pane.SaveAddressBook());
    EXPECT_TRUE(fileBytes(book).endsWith("\"John\",\"Public\",\"jqp@example.com\",\"\"\r\n"));
}

TEST_F(AddressPaneTest, noSenderOnThePage_saysSoAndAddsNothing)
{
    trigger("addmsg");
    EXPECT_EQ(host.boxes.texts(), QStringList(QStringLiteral("No address book is open. Open or make one, then add the sender again.")));
    EXPECT_FALSE(host.webmailTabShown);

    open(writeBook("book.csv", TenAddresses));
    clickCell(4, 1);
    host.status[2] = QStringLiteral("Msg Saved");
    host.pageText = QStringLiteral("Inbox\r\nno message here");
    trigger("addmsg");
    EXPECT_EQ(host.boxes.texts().last(), QStringLiteral("Unable to locate address. Are you sure a message is displayed?"));
    EXPECT_EQ(grid->Rows(), 11);
    EXPECT_EQ(host.status[2], QString());
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(textEdit->text(), QStringLiteral("Small"));

    // A provider whose page script reads the message: its page text is not
    // searched, and a page without a message says so too.
    host.provider = RoundcubeKey;
    host.pageText = QStringLiteral("Inbox\r\nFrom: Ann <ann@example.com> | x\r\nTo: y");
    trigger("addmsg");
    EXPECT_EQ(host.boxes.texts().size(), 3);
    EXPECT_EQ(grid->Rows(), 11);
}

// The block's order is checked through the real program
// (ComposeFillingTest); here, which field each way of inserting asks for.
TEST_F(AddressPaneTest, doubleClickInsertsIntoTo_theToolbarIntoCcAndBcc)
{
    open(writeBook("book.csv", TenAddresses));
    const QPoint cell = grid->visualRect(grid->model()->index(5, 2)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(host.inserted, QList<InsertField>{InsertField::To});
    trigger("setcc");
    trigger("setbcc");
    EXPECT_EQ(host.inserted, QList<InsertField>({InsertField::To, InsertField::Cc, InsertField::Bcc}));
}

TEST_F(AddressPaneTest, screenReadersReadTheGridAsATable)
{
    open(writeBook("book.csv", TenAddresses));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Table);
    QAccessibleTableInterface *table = accessible->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 10);
    QAccessibleInterface *cell = table->cellAt(2, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("cy@example.com"));
    const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers[0]->text(QAccessible::Name), QStringLiteral("Email"));
}

} // namespace

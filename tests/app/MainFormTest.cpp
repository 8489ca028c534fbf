#include "app/LayoutRules.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "platform/web/BrowserPane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include "WaitFor.h"

using namespace ferrowen;

namespace {

class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.resize(1200, 800);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    template<typename T = QWidget>
    T *child(const char *name)
    {
        T *found = form.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QWidget *pane(const char *name) { return child<QWidget>(name); }

    MainForm form;
};

// The caption a user reads on a control, whatever its kind.
QString caption(QObject *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        return frame->title();
    if (auto *action = qobject_cast<QAction *>(control))
        return action->text();
    return QStringLiteral("<no caption>");
}

TEST_F(MainFormTest, controlsCarryTheirNamesAndCaptions)
{
    const std::pair<const char *, const char *> captions[] = {
        {"CommandShowAddress", "> > > > > > > > > > > > > > > > "},
        {"CommandTo", "Show Email Address Palette"},
        {"FrameSaveMessages", "Save Messages Locally"},
        {"LabelFolder", "Folder:"},
        {"GetBody", "&Save Msg <<"},
        {"CheckSaveSent", "S&ave Sent Messages"},
        {"LabelSaved", "Message Saved"},
        {"FrameInboxManagement", "Inbox Management"},
        {"FrameCompose", "Compose"},
        {"Command2", "Check S&pam"},
        {"Command1", "Check &Unread"},
        {"Command4", "Use &Template >>"},
        {"LabelAddress", "Address:"},
        {"CommandReplyText", "&Reply (with original text)"},
        {"CommandReplyNoText", "Reply (&blank)"},
        {"CommandForward", "For&ward"},
        {"CommandSendAgain", "Send &Again"},
        {"LabelWait", "Please wait..."},
        {"CommandCancelWait", "Cancel"},
        {"FrameStartPage", "Start Page"},
        {"OptionY", "&Yahoo Mail:"},
        {"OptionH", "MSN &Hotmail"},
        {"CheckGotoInbox", "Go directly to &inbox after login (bypass mail home page)"},
        {"CheckEmail", "Show &Email Address Palette on Startup"},
        {"LabelFolders3", "Default Folder for Saving Messages:"},
        {"LabelTemplate2", "Default Email Template:"},
        {"CommandDefBrowser", "Set &Ferrowen as your Default E-mail Program (for mailto links)"},
        {"FrameSpamSettings", "Inbox Management/Spam Settings"},
        {"Command7", "Edit Spam &Keywords"},
        {"SpamClose", "Close"},
        {"mnuExit", "E&xit"},
    };
    for (const auto &[name, text] : captions) {
        QObject *control = form.findChild<QObject *>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(caption(control), QString::fromUtf8(text)) << name;
    }

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Ferrowen"));
    EXPECT_EQ(child<QPushButton>("CommandShowAddress")->toolTip(), QStringLiteral("Show Address Book Panel"));

    for (const char *name : {"TabStrip1", "TabStrip2"})
        EXPECT_NE(child<QTabBar>(name), nullptr);
    for (const char *name : {"WebBrowser1", "WebBrowser2", "WebBrowser3", "WebBrowser4"})
        EXPECT_NE(child<BrowserPane>(name), nullptr);
    EXPECT_NE(child<QTableWidget>("MSFlexGrid1"), nullptr);
    EXPECT_NE(child<QTreeWidget>("ListMsg"), nullptr);
    EXPECT_NE(child<QStatusBar>("StatusBar1"), nullptr);
    EXPECT_NE(child<QComboBox>("AddressCombo"), nullptr);
    for (const char *name : {"LabelBkName", "CommandHide", "imgSplitter", "picSplitter", "Picture2", "Picture3",
                             "PictureSettings", "PictureBlog", "PictureWait"})
        EXPECT_NE(pane(name), nullptr);
    EXPECT_NE(form.editorPanel()->findChild<QWidget *>(QStringLiteral("DHTMLEdit1")), nullptr);
    EXPECT_TRUE(child<QLineEdit>("TextEdit")->isHidden());
}

TEST_F(MainFormTest, designedValuesAtStart)
{
    auto *tabs = child<QTabBar>("TabStrip2");
    ASSERT_EQ(tabs->count(), 5);
    const char *tabCaptions[] = {"Inbox/Login", "Compose", "Saved Message Folders (local)", "Calendar", "Settings"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabs->tabText(i), QLatin1String(tabCaptions[i]));

    auto *folders = child<QComboBox>("ComboFolders");
    ASSERT_EQ(folders->count(), 2);
    EXPECT_EQ(folders->itemText(0), QStringLiteral("Saved"));
    EXPECT_EQ(folders->itemText(1), QStringLiteral("sent"));
    EXPECT_EQ(folders->currentIndex(), 0);
    EXPECT_FALSE(child<QCheckBox>("CheckSaveSent")->isChecked());
    EXPECT_TRUE(child<QLabel>("LabelSaved")->isHidden());

    auto *unread = child<QComboBox>("ComboUnread");
    ASSERT_EQ(unread->count(), 5);
    EXPECT_EQ(unread->itemText(0), QStringLiteral("All Unread Messages"));
    EXPECT_EQ(unread->itemText(4), QStringLiteral("First 20 Unread Messages"));
    EXPECT_EQ(unread->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>("ComboFolders3")->currentText(), QStringLiteral("Saved"));
    EXPECT_EQ(child<QComboBox>("ComboTemplate2")->currentText(), QStringLiteral("Saved"));
    EXPECT_TRUE(child<QRadioButton>("OptionY")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("OptionH")->isChecked());
    EXPECT_EQ(child<QLineEdit>("TextYahoo")->text(), QStringLiteral("https://mail.yahoo.com/"));
    EXPECT_EQ(child<QLineEdit>("TextHotmail")->text(), QStringLiteral("https://outlook.live.com/"));
    for (const char *unticked : {"CheckGotoInbox", "CheckEmail", "CheckSpamUnread", "CheckNonEnglish"})
        EXPECT_FALSE(child<QCheckBox>(unticked)->isChecked()) << unticked;
    EXPECT_TRUE(child<QPlainTextEdit>("TextSpam")->isHidden());
    EXPECT_TRUE(child<QPushButton>("SpamClose")->isHidden());

    EXPECT_TRUE(child<QProgressBar>("Progress1")->isHidden());
    EXPECT_TRUE(child<QWidget>("PictureWait")->isHidden());
    EXPECT_FALSE(form.WaitCancelled);
    EXPECT_FALSE(form.MergeInProgress);

    auto *timer1 = child<QTimer>("Timer1");
    auto *timer2 = child<QTimer>("Timer2");
    EXPECT_EQ(timer1->interval(), 100);
    EXPECT_EQ(timer2->interval(), 1000);
    EXPECT_FALSE(timer1->isActive());
    EXPECT_FALSE(timer2->isActive());
}

TEST_F(MainFormTest, toolbarButtonsCarryTheirKeysAndToolTips)
{
    const std::pair<const char *, const char *> browserTools[] = {
        {"go", "Go"}, {"back", "Go Back"}, {"forward", "Go Forward"}, {"refresh", "Refresh"}, {"stop", "Stop"}};
    for (const auto &[key, tip] : browserTools) {
        QAction *action = form.browserToolAction(QLatin1String(key));
        ASSERT_NE(action, nullptr) << key;
        EXPECT_EQ(action->data().toString(), QLatin1String(key));
        EXPECT_EQ(action->toolTip(), QLatin1String(tip));
        EXPECT_FALSE(action->icon().isNull()) << key;
    }

    const std::pair<const char *, const char *> addressTools[] = {
        {"new", "New Address Book"},
        {"open", "Open Address Book"},
        {"save", "Save Address Book"},
        {"add", "Add Address"},
        {"remove", "Remove Address"},
        {"find", "Find Address"},
        {"addmsg", "Add Sender of Displayed Message"},
        {"setto", "Insert address into To field"},
        {"setcc", "Insert address into Cc field"},
        {"setbcc", "Insert address into Bcc field"},
        {"expand", "Expand Address Book"},
    };
    for (const auto &[key, tip] : addressTools) {
        QAction *action = form.addressToolAction(QLatin1String(key));
        ASSERT_NE(action, nullptr) << key;
        EXPECT_EQ(action->data().toString(), QLatin1String(key));
        EXPECT_EQ(action->toolTip(), QLatin1String(tip));
        EXPECT_FALSE(action->icon().isNull()) << key;
    }
}

TEST_F(MainFormTest, eachTabShowsItsPanesOnly)
{
    const char *panes[] = {"WebBrowser1", "WebBrowser2", "WebBrowser3", "WebBrowser4",
                           "ListMsg",     "Picture2",    "Picture3",    "PictureSettings"};
    const std::vector<std::vector<const char *>> shownOnTab = {
        {"WebBrowser1"},
        {"WebBrowser3"},
        {"WebBrowser2", "ListMsg", "Picture2", "Picture3"},
        {"WebBrowser4"},
        {"PictureSettings"},
    };
    // Visit the tabs out of order so each switch hides something shown before.
    for (int tab : {3, 1, 5, 2, 4, 3, 1}) {
        form.selectTab(tab);
        EXPECT_EQ(form.selectedTab(), tab);
        const auto &shown = shownOnTab[tab - 1];
        for (const char *name : panes) {
            const bool expected = std::find_if(shown.begin(), shown.end(), [name](const char *s) {
                                      return qstrcmp(s, name) == 0;
                                  }) != shown.end();
            EXPECT_EQ(!pane(name)->isHidden(), expected) << "tab " << tab << " " << name;
        }
    }
}

TEST_F(MainFormTest, tabsTwoToFour_handTheirWorkOnAfterSwitchingPanes)
{
    QSignalSpy compose(&form, &MainForm::composeTabSelected);
    QSignalSpy saved(&form, &MainForm::savedFoldersTabSelected);
    QSignalSpy calendar(&form, &MainForm::calendarTabSelected);
    bool composePaneShownWhenSignalled = false;
    QObject::connect(&form, &MainForm::composeTabSelected, &form,
            [&] { composePaneShownWhenSignalled = !form.webBrowser(3)->isHidden() && form.webBrowser(1)->isHidden(); });

    form.selectTab(2);
    EXPECT_EQ(compose.count(), 1);
    EXPECT_TRUE(composePaneShownWhenSignalled);
    form.selectTab(4);
    EXPECT_EQ(calendar.count(), 1);
    form.selectTab(1);
    form.selectTab(5);
    EXPECT_EQ(compose.count(), 1);
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(calendar.count(), 1);

    // A click on the tab takes the same road.
    auto *tabs = form.mainTabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(form.selectedTab(), 3);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_FALSE(form.messageList()->isHidden());

    // Selecting the tab already selected runs the handling again.
    form.selectTab(3);
    EXPECT_EQ(saved.count(), 2);
}

TEST_F(MainFormTest, everyTabChange_clearsSavedLabelStatusPanelAndSpamEditor)
{
    form.selectTab(5);
    child<QLabel>("LabelSaved")->show();
    form.setStatusPanelText(2, QStringLiteral("Msg Saved"));
    form.setStatusPanelText(3, QStringLiteral("page status"));
    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    ASSERT_FALSE(child<QPlainTextEdit>("TextSpam")->isHidden());
    ASSERT_FALSE(child<QPushButton>("SpamClose")->isHidden());

    form.selectTab(5);
    EXPECT_TRUE(child<QLabel>("LabelSaved")->isHidden());
    EXPECT_EQ(form.statusPanelText(2), QString());
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("page status"));
    EXPECT_TRUE(child<QPlainTextEdit>("TextSpam")->isHidden());
    EXPECT_TRUE(child<QPushButton>("SpamClose")->isHidden());
}

TEST_F(MainFormTest, spamKeywordEditor_opensOverTheSettingsPanelAndCloses)
{
    form.selectTab(5);
    auto *text = child<QPlainTextEdit>("TextSpam");
    auto *close = child<QPushButton>("SpamClose");
    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    EXPECT_FALSE(text->isHidden());
    EXPECT_FALSE(close->isHidden());

    const QRect settings = form.twipsGeometry(child<QWidget>("PictureSettings"));
    EXPECT_EQ(form.twipsGeometry(text), QRect(30, 30, settings.width() - 60, settings.height() - 60));
    EXPECT_EQ(text->geometry(), form.twips().toPixels(form.twipsGeometry(text)));
    EXPECT_TRUE(text->geometry().contains(close->geometry()));

    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_TRUE(text->isHidden());
    EXPECT_TRUE(close->isHidden());
}

TEST_F(MainFormTest, sizeControls_correctsThePositionInPlace)
{
    const int width = form.innerWidth();
    int x = 100;
    form.SizeControls(x);
    EXPECT_EQ(x, 750);
    EXPECT_EQ(form.splitterPosition(), 750);
    x = width;
    form.SizeControls(x);
    EXPECT_EQ(x, width - 750);

    x = 5000;
    form.SizeControls(x);
    const Twips twips = form.twips();
    auto *tabStrip2 = child<QTabBar>("TabStrip2");
    EXPECT_EQ(form.twipsGeometry(tabStrip2).x(), 5000);
    EXPECT_EQ(form.twipsGeometry(tabStrip2).width(), width - (5000 + 140));
    EXPECT_EQ(tabStrip2->x(), twips.toPixels(5000));
    EXPECT_EQ(form.webBrowser1Geometry().x(), 5050);
    EXPECT_EQ(form.webBrowser(1)->geometry(), twips.toPixels(form.webBrowser1Geometry()));
    EXPECT_EQ(form.twipsGeometry(child<QWidget>("imgSplitter")).x(), 5000);
    EXPECT_EQ(form.twipsGeometry(child<QWidget>("TabStrip1")).width(), 5000);
    // Every tab's pane takes the first pane's rectangle.
    for (int n : {3, 4})
        EXPECT_EQ(form.twipsGeometry(form.webBrowser(n)), form.webBrowser1Geometry());
    EXPECT_EQ(form.twipsGeometry(form.settingsPanel()), form.webBrowser1Geometry());
}

TEST_F(MainFormTest, hidingTheAddressPane_putsTheMainAreaAtTheLeftEdge)
{
    QSignalSpy palette(&form, &MainForm::paletteMoveRequested);
    form.addressGrid()->show();
    QTest::mouseClick(child<QPushButton>("CommandHide"), Qt::LeftButton);

    EXPECT_TRUE(form.isAddressPaneHidden());
    EXPECT_EQ(form.splitterPosition(), 0);
    auto *tabStrip2 = child<QTabBar>("TabStrip2");
    EXPECT_EQ(form.twipsGeometry(tabStrip2).x(), 0);
    EXPECT_EQ(tabStrip2->x(), 0);
    EXPECT_EQ(form.webBrowser1Geometry().x() - 50, 0);
    EXPECT_EQ(form.webBrowser(1)->x(), form.twips().toPixels(50));

    for (const char *hidden : {"CommandHide", "LabelBkName", "MSFlexGrid1"})
        EXPECT_TRUE(child<QWidget>(hidden)->isHidden()) << hidden;
    for (const char *shown : {"CommandShowAddress", "CommandTo"})
        EXPECT_FALSE(child<QWidget>(shown)->isHidden()) << shown;
    ASSERT_EQ(palette.count(), 1);
    EXPECT_EQ(palette.at(0).at(0).toInt(), 50);

    // The resize handling keeps the pane away.
    form.resize(1000, 700);
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return form.innerWidth() == form.twips().toTwips(form.centralWidget()->width()); }, 5000));
    EXPECT_EQ(form.twipsGeometry(tabStrip2).x(), 0);
}

TEST_F(MainFormTest, showingTheAddressPane_alwaysPutsTheSplitterAt3480)
{
    for (int before : {900, 3480, 7000}) {
        int x = before;
        form.SizeControls(x);
        form.hideAddressPane();
        QTest::mouseClick(child<QPushButton>("CommandShowAddress"), Qt::LeftButton);

        EXPECT_FALSE(form.isAddressPaneHidden());
        EXPECT_EQ(form.splitterPosition(), 3480) << before;
        EXPECT_EQ(form.twipsGeometry(child<QWidget>("TabStrip2")).x(), 3480);
        EXPECT_EQ(form.webBrowser1Geometry().x(), 3530);
        EXPECT_FALSE(child<QWidget>("CommandHide")->isHidden());
        EXPECT_FALSE(child<QWidget>("LabelBkName")->isHidden());
        EXPECT_TRUE(child<QWidget>("CommandShowAddress")->isHidden());
        EXPECT_TRUE(child<QWidget>("CommandTo")->isHidden());
        // The grid waits for an address book to be opened.
        EXPECT_TRUE(form.addressGrid()->isHidden());
    }
}

TEST_F(MainFormTest, showingAnExpandedPane_contractsItFirst)
{
    form.addressToolAction(QStringLiteral("expand"))->trigger();
    ASSERT_TRUE(form.isExpanded());
    form.hideAddressPane();
    form.showAddressPane();
    EXPECT_FALSE(form.isExpanded());
    EXPECT_EQ(form.splitterPosition(), 3480);
    EXPECT_EQ(form.addressToolAction(QStringLiteral("expand"))->toolTip(), QStringLiteral("Expand Address Book"));
}

TEST_F(MainFormTest, expandThenContract_returnsToTheKeptPosition)
{
    int x = 4200;
    form.SizeControls(x);
    QAction *expand = form.addressToolAction(QStringLiteral("expand"));

    expand->trigger();
    EXPECT_TRUE(form.isExpanded());
    EXPECT_EQ(form.splitterPosition(), form.innerWidth() * 85 / 100);
    EXPECT_EQ(form.twipsGeometry(child<QWidget>("TabStrip1")).width(), form.splitterPosition());
    EXPECT_EQ(expand->toolTip(), QStringLiteral("Contract Address Book"));

    expand->trigger();
    EXPECT_FALSE(form.isExpanded());
    EXPECT_EQ(form.splitterPosition(), 4200);
    EXPECT_EQ(expand->toolTip(), QStringLiteral("Expand Address Book"));
}

TEST_F(MainFormTest, draggingTheSplitter_clampsTheBarAndLaysOutOnRelease)
{
    auto *handle = child<QWidget>("imgSplitter");
    auto *bar = child<QWidget>("picSplitter");
    const Twips twips = form.twips();
    const int handleLeft = form.twipsGeometry(handle).x();
    const int width = form.innerWidth();
    // The mouse position, relative to the handle, that puts p at `target`.
    auto mouseAt = [&](int target) { return QPoint(twips.toPixels(target - handleLeft), 10); };

    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 10));
    EXPECT_TRUE(form.isDraggingSplitter());
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(form.dragBarPosition(), handleLeft);

    QTest::mouseMove(handle, mouseAt(200));
    EXPECT_EQ(form.dragBarPosition(), 500);
    EXPECT_EQ(form.twipsGeometry(bar).x(), 500);
    EXPECT_EQ(form.twipsGeometry(bar).width(), form.twipsGeometry(handle).width() / 2);

    QTest::mouseMove(handle, mouseAt(width + 3000));
    EXPECT_EQ(form.dragBarPosition(), width - 500);

    QTest::mouseMove(handle, mouseAt(200));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, mouseAt(200));
    EXPECT_FALSE(form.isDraggingSplitter());
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(form.splitterPosition(), 750);
    EXPECT_EQ(form.twipsGeometry(child<QWidget>("TabStrip2")).x(), 750);

    // A drop inside the limits is taken where the bar is.
    const int newHandleLeft = form.twipsGeometry(handle).x();
    const QPoint middle(twips.toPixels(6000 - newHandleLeft), 10);
    const int expected = newHandleLeft + twips.toTwips(middle.x());
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 10));
    QTest::mouseMove(handle, middle);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, middle);
    EXPECT_EQ(form.splitterPosition(), expected);
    EXPECT_EQ(form.webBrowser1Geometry().x(), expected + 50);
}

TEST_F(MainFormTest, waitPanelCancel_setsTheFlagAndHidesThePanel)
{
    auto *wait = child<QWidget>("PictureWait");
    form.showWaitPanel();
    EXPECT_FALSE(wait->isHidden());
    EXPECT_TRUE(form.twipsGeometry(wait).intersects(form.webBrowser1Geometry()));
    form.hideWaitPanel();
    EXPECT_TRUE(wait->isHidden());
    EXPECT_FALSE(form.WaitCancelled);

    form.showWaitPanel();
    QTest::mouseClick(child<QPushButton>("CommandCancelWait"), Qt::LeftButton);
    EXPECT_TRUE(form.WaitCancelled);
    EXPECT_TRUE(wait->isHidden());
}

TEST_F(MainFormTest, inboxProgress_showsTheBarOnlyBetweenOneAndTheMaximum)
{
    auto *progress = child<QProgressBar>("Progress1");
    BrowserPane *inbox = form.webBrowser(1);

    Q_EMIT inbox->progressChange(30, 100);
    EXPECT_FALSE(progress->isHidden());
    EXPECT_EQ(progress->maximum(), 100);
    EXPECT_EQ(progress->value(), 30);

    Q_EMIT inbox->progressChange(100, 100);
    EXPECT_TRUE(progress->isHidden());

    Q_EMIT inbox->progressChange(5, 40);
    EXPECT_FALSE(progress->isHidden());
    EXPECT_EQ(progress->maximum(), 40);
    Q_EMIT inbox->progressChange(0, 40);
    EXPECT_TRUE(progress->isHidden());

    // Another pane's progress leaves the bar alone.
    Q_EMIT inbox->progressChange(5, 40);
    Q_EMIT form.webBrowser(3)->progressChange(40, 40);
    EXPECT_FALSE(progress->isHidden());
}

TEST_F(MainFormTest, statusText_reachesPanel3OnlyFromTheShownPane)
{
    form.selectTab(1);
    Q_EMIT form.webBrowser(2)->statusTextChange(QStringLiteral("from the hidden preview"));
    EXPECT_EQ(form.statusPanelText(3), QString());
    Q_EMIT form.webBrowser(1)->statusTextChange(QStringLiteral("from the inbox"));
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("from the inbox"));

    form.selectTab(3);
    Q_EMIT form.webBrowser(1)->statusTextChange(QStringLiteral("inbox now hidden"));
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("from the inbox"));
    Q_EMIT form.webBrowser(2)->statusTextChange(QStringLiteral("preview"));
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("preview"));
}

TEST_F(MainFormTest, inboxFrameButtons_moveTheEditorPanel)
{
    form.setEditorHeight(3030);
    QWidget *panel = form.editorPanel();
    QWidget *editor = form.editorControl();
    EXPECT_EQ(form.twipsGeometry(panel).height(), 3030);
    EXPECT_EQ(form.twipsGeometry(editor).height(), 2630);

    const QRect first = form.webBrowser1Geometry();
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(form.twipsGeometry(panel), QRect(first.x(), first.y() + 950, first.width(), 3030));
    EXPECT_EQ(form.twipsGeometry(editor).width(), first.width() - 10);
    EXPECT_EQ(panel->geometry(), form.twips().toPixels(form.twipsGeometry(panel)));

    // The resize handling leaves the editor panel where it is.
    form.resize(1100, 760);
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return form.webBrowser1Geometry() != first; }, 5000));
    EXPECT_EQ(form.twipsGeometry(panel), QRect(first.x(), first.y() + 950, first.width(), 3030));

    const QRect now = form.webBrowser1Geometry();
    QTest::mouseClick(child<QPushButton>("Command4"), Qt::LeftButton);
    EXPECT_EQ(form.twipsGeometry(panel), QRect(now.x(), now.y() + 100, 1, 3030));
    EXPECT_EQ(form.twipsGeometry(editor).width(), now.width() - 10);
}

TEST_F(MainFormTest, installedEditor_takesThePlaceholdersPlace)
{
    form.setEditorHeight(2000);
    auto *editor = new QWidget;
    form.installEditor(editor);
    EXPECT_EQ(form.editorControl(), editor);
    EXPECT_EQ(editor->parentWidget(), form.editorPanel());
    EXPECT_EQ(editor->objectName(), QStringLiteral("DHTMLEdit1"));
    EXPECT_EQ(form.twipsGeometry(editor).height(), 1600);
    EXPECT_EQ(form.editorPanel()->findChildren<QWidget *>(QStringLiteral("DHTMLEdit1")).size(), 1);
}

TEST_F(MainFormTest, checkSpam_asksForTheEditorBodyTransfer)
{
    QSignalSpy transfer(&form, &MainForm::transferEditorBodyRequested);
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(transfer.count(), 1);
}

TEST_F(MainFormTest, closing_isSignalledWhileTheWindowIsStillThere)
{
    bool visibleWhenSignalled = false;
    QSignalSpy closing(&form, &MainForm::closing);
    QObject::connect(&form, &MainForm::closing, &form, [&] { visibleWhenSignalled = form.isVisible(); });

    child<QAction>("mnuExit")->trigger();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(visibleWhenSignalled);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, go_navigatesTheInboxPaneAndSelectsItsTab)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString page = dir.filePath(QStringLiteral("start.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body>start</body></html>");
    file.close();

    form.selectTab(4);
    BrowserPane *inbox = form.webBrowser(1);
    QSignalSpy loaded(inbox, &BrowserPane::documentComplete);
    form.addressCombo()->setEditText(QUrl::fromLocalFile(page).toString());
    form.browserToolAction(QStringLiteral("go"))->trigger();
    EXPECT_EQ(form.selectedTab(), 1);
    EXPECT_FALSE(inbox->isHidden());

    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(inbox->locationUrl().endsWith(QStringLiteral("start.html")));
    // The address box shows the pane's address after the navigation.
    form.addressCombo()->setEditText(QString());
    Q_EMIT inbox->navigateComplete(QStringLiteral("about:frame-inside-the-page"));
    EXPECT_EQ(form.addressCombo()->currentText(), inbox->locationUrl());
}

TEST_F(MainFormTest, previewLoaded_givesTheMessageListTheFocus)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto writePage = [&](const char *name) {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><body>message</body></html>");
        return path;
    };
    BrowserPane *preview = form.webBrowser(2);
    QSignalSpy loaded(preview, &BrowserPane::documentComplete);

    form.selectTab(3);
    preview->navigate(QUrl::fromLocalFile(writePage("message.htm")).toString());
    ASSERT_TRUE(loaded.wait(20000));
    form.addressCombo()->setFocus();
    Q_EMIT preview->documentComplete(preview->locationUrl());
    EXPECT_EQ(form.focusWidget(), form.messageList());

    // A hidden preview leaves the focus alone, even with the list on show.
    preview->hide();
    form.addressCombo()->setFocus();
    Q_EMIT preview->documentComplete(preview->locationUrl());
    EXPECT_NE(form.focusWidget(), form.messageList());
    preview->show();

    // The empty preview page does not take the focus from where it is.
    loaded.clear();
    preview->navigate(QUrl::fromLocalFile(writePage("BlankMsg.htm")).toString());
    ASSERT_TRUE(loaded.wait(20000));
    form.addressCombo()->setFocus();
    Q_EMIT preview->documentComplete(preview->locationUrl());
    EXPECT_NE(form.focusWidget(), form.messageList());
}

TEST_F(MainFormTest, surfacePress_isSignalledOnlyOutsideControls)
{
    QSignalSpy pressed(&form, &MainForm::surfaceMousePressed);
    QWidget *surface = form.findChild<QWidget *>(QStringLiteral("LayoutSurface"));
    ASSERT_NE(surface, nullptr);
    // Below the pane rectangle, above the status bar: bare surface.
    const QPoint bare(surface->width() - 3, surface->height() - 2);
    ASSERT_EQ(surface->childAt(bare), nullptr);
    QTest::mousePress(surface, Qt::LeftButton, {}, bare);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, bare);
    EXPECT_EQ(pressed.count(), 1);

    // A label ignores the press, which bubbles up to the surface: still not
    // the surface's own.
    form.addressBookLabel()->setText(QStringLiteral("Friends"));
    QTest::mousePress(form.addressBookLabel(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(form.addressBookLabel(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(pressed.count(), 1);
}

} // namespace

#include "addressbook/ui/AddressPane.h"
#include "app/LayoutRules.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/ShellEditorHost.h"
#include "editor/ui/EditorFontDialog.h"
#include "editor/ui/EditorPanel.h"
#include "editor/ui/FormCellProp.h"
#include "editor/ui/FormHyperLink.h"
#include "editor/ui/FormTableProp.h"
#include "editor/ui/ImageMapEditor.h"
#include "settings/SettingsFile.h"
#include "platform/web/BrowserPane.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include "AccessibleNames.h"
#include "NamedChild.h"
#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

// The main window with the program's panes attached, as the program
// builds it, over a settings file of its own.
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
    T *child(const char *name) { return ferrowen::testing::namedChild<T>(form, name); }

    QRect placed(const char *name) { return form.twipsGeometry(child(name)); }
    void click(const char *name) { QTest::mouseClick(child(name), Qt::LeftButton); }
    void layOutAt(int x) { form.SizeControls(x); }

    void expectHidden(std::initializer_list<const char *> names, bool hidden)
    {
        for (const char *name : names)
            EXPECT_EQ(child(name)->isHidden(), hidden) << name;
    }

    QTemporaryDir configDir;
    SettingsFile settings{configDir.filePath(QStringLiteral("plinthmere.ini"))};
    ferrowen::testing::ScriptedMessageBoxes boxes;
    Shell shell{settings, [](HelpTopic) {}, &boxes};
    MainForm &form = shell.window();
};

// Writes a small page and gives its file address.
QString writePage(const QTemporaryDir &dir, const char *name)
{
    return QUrl::fromLocalFile(ferrowen::testing::writeFile(dir.filePath(QLatin1String(name)), "<html><body>page</body></html>"))
        .toString();
}

// A screen reader says what each control is for: a button by its caption
// or tool tip, a box or list by its own name or its label, never by the
// text it holds. Every window the main window opens is looked at too.
TEST_F(MainFormTest, everyControlOfTheWindowAndItsDialogsHasANameAScreenReaderCanSay)
{
    using ferrowen::testing::windowsOpenedBy;
    EXPECT_EQ(ferrowen::testing::unnamedControls(&form), QStringList());

    const auto action = [this](const char *toolbar, const char *key) {
        return [this, toolbar, key] { child(toolbar)->findChild<QAction *>(QLatin1String(key))->trigger(); };
    };
    const std::pair<const char *, std::function<void()>> dialogs[] = {
        {"DialogNewFolder", [this] { click("CommandAddFolder"); }},
        {"DialogNewAddrBook", action("Toolbar2", "new")},
        {"DialogFind", [this] { shell.addressPane().showFindDialog(); }},
        {"FormEmail", [this] { shell.addressPane().showPalette(); }},
        {"DialogTemplate", [this] { click("CommandTemplate"); }},
        {"DialogMerge", [this] { click("Command5"); }},
        {"AffiliateDialog", [this] { click("CommandAffiliate"); }},
        {"FormImage", action("Toolbar3", "image")},
        {"InsertTableDlg", action("Toolbar3", "table")},
    };
    for (const auto &[dialog, open] : dialogs) {
        const ferrowen::testing::OpenedWindows opened = windowsOpenedBy(open);
        EXPECT_GE(opened.count, 1) << dialog << " did not open";
        EXPECT_EQ(opened.unnamedControls, QStringList()) << dialog;
    }

    // Dialogs that open only over a selection, a table or an image: built
    // as the editor builds them.
    ShellEditorHost &editor = shell.editorHost();
    EditorDocument &document = shell.editorPanel().document();
    FormHyperLink link(shell.editorPanel().commands(), boxes, &form);
    FormTableProp table(document, boxes, editor.colorChooser(), editor.fileDialogs(), &form);
    FormCellProp cell(document, boxes, editor.colorChooser(), editor.fileDialogs(), CellScope::Cell, &form);
    EditorFontDialog font(EditorFontDialog::Font{}, editor.colorChooser(), &form);
    ImageMapEditor map(QStringLiteral("map1"), QString(), QString(), {}, boxes, &form);
    for (QDialog *dialog : std::initializer_list<QDialog *>{&link, &table, &cell, &font, &map})
        EXPECT_EQ(ferrowen::testing::unnamedControls(dialog), QStringList()) << dialog->metaObject()->className();
}

TEST_F(MainFormTest, startsWithThePanelsOfPassingStatesHidden)
{
    expectHidden({"LabelSaved", "TextSpam", "SpamClose", "Progress1", "PictureWait", "TextEdit", "MSFlexGrid1",
                  "picSplitter", "CommandShowAddress", "CommandTo"},
                 true);
}

TEST_F(MainFormTest, tabChange_showsTheTabsPanesOnlyThenHandsOnItsWork)
{
    QStringList handedOn; // signal@tab, in order
    const auto note = [&](const char *work) {
        return [&, work] { handedOn << QLatin1String(work) + u'@' + QString::number(static_cast<int>(form.selectedTab())); };
    };
    QObject::connect(&form, &MainForm::composeTabSelected, &form, note("compose"));
    QObject::connect(&form, &MainForm::savedFoldersTabSelected, &form, note("saved"));
    QObject::connect(&form, &MainForm::calendarTabSelected, &form, note("calendar"));
    bool composePaneShownWhenSignalled = false;
    QObject::connect(&form, &MainForm::composeTabSelected, &form,
            [&] { composePaneShownWhenSignalled = !form.browser(Pane::Compose).isHidden() && form.browser(Pane::Inbox).isHidden(); });

    const char *panes[] = {"WebBrowser1", "WebBrowser2", "WebBrowser3", "WebBrowser4",
                           "ListMsg",     "Picture2",    "Picture3",    "PictureSettings"};
    const std::pair<const char *, const char *> captionAndPanes[] = {
        {"Inbox/Login", "WebBrowser1"},
        {"Compose", "WebBrowser3"},
        {"Saved Message Folders (local)", "WebBrowser2 ListMsg Picture2 Picture3"},
        {"Calendar", "WebBrowser4"},
        {"Settings", "PictureSettings"},
    };
    auto *tabs = child<QTabBar>("TabStrip2");
    // Out of order, so each switch hides something shown before.
    for (Tab tab : {Tab::Compose, Tab::InboxLogin, Tab::Settings, Tab::Calendar, Tab::SavedFolders, Tab::InboxLogin}) {
        const int index = static_cast<int>(tab) - 1; // left to right
        const auto &[caption, panesShown] = captionAndPanes[index];
        EXPECT_EQ(tabs->tabText(index), QLatin1String(caption));
        form.selectTab(tab);
        EXPECT_EQ(form.selectedTab(), tab);
        const QList<QByteArray> shown = QByteArray(panesShown).split(' ');
        for (const char *name : panes)
            EXPECT_EQ(!child(name)->isHidden(), shown.contains(name)) << "tab " << index << " " << name;
    }
    EXPECT_TRUE(composePaneShownWhenSignalled);

    // A click on the tab takes the same road; the tab already selected runs
    // the handling again.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(form.selectedTab(), Tab::SavedFolders);
    EXPECT_FALSE(child("ListMsg")->isHidden());
    form.selectTab(Tab::SavedFolders);
    EXPECT_EQ(handedOn.join(u' '), QStringLiteral("compose@2 calendar@4 saved@3 saved@3 saved@3"));
}

TEST_F(MainFormTest, spamKeywordEditor_liesOverTheSettingsAndClosesByButtonOrTabChange)
{
    form.selectTab(Tab::Settings);
    QWidget *text = child("TextSpam");
    click("Command7");
    expectHidden({"TextSpam", "SpamClose"}, false);
    const QRect settings = placed("PictureSettings");
    EXPECT_EQ(text->geometry(), form.twips().toPixels(QRect(30, 30, settings.width() - 60, settings.height() - 60)));
    EXPECT_TRUE(text->geometry().contains(child("SpamClose")->geometry()));
    click("SpamClose");
    expectHidden({"TextSpam", "SpamClose"}, true);

    // Every tab change, even to the tab on show, also clears the saved label
    // and status panel 2, but not panel 3.
    click("Command7");
    child("LabelSaved")->show();
    form.setStatusPanelText(2, QStringLiteral("Msg Saved"));
    form.setStatusPanelText(3, QStringLiteral("page status"));
    form.selectTab(Tab::Settings);
    expectHidden({"TextSpam", "SpamClose", "LabelSaved"}, true);
    EXPECT_EQ(form.statusPanelText(2), QString());
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("page status"));
}

TEST_F(MainFormTest, sizeControls_correctsThePositionInPlaceAndPlacesThePanes)
{
    // The clamp's numbers are LayoutRulesTest's.
    int x = 100;
    form.SizeControls(x);
    EXPECT_EQ(x, layout::clampSplitterOnLayout(100, form.innerWidth(), true));
    EXPECT_EQ(form.splitterPosition(), x);

    layOutAt(5000);
    const Twips twips = form.twips();
    EXPECT_EQ(placed("TabStrip2").x(), 5000);
    EXPECT_EQ(placed("imgSplitter").x(), 5000);
    EXPECT_EQ(form.webBrowser1Geometry().x(), 5050);
    EXPECT_EQ(form.browser(Pane::Inbox).geometry(), twips.toPixels(form.webBrowser1Geometry()));
    // Every tab's pane takes the first pane's rectangle.
    for (const char *name : {"WebBrowser3", "WebBrowser4", "PictureSettings"})
        EXPECT_EQ(placed(name), form.webBrowser1Geometry()) << name;
}

TEST_F(MainFormTest, hidingThenShowingTheAddressPane)
{
    QSignalSpy palette(&form, &MainForm::paletteMoveRequested);
    layOutAt(7000);
    child("MSFlexGrid1")->show();
    click("CommandHide");

    EXPECT_EQ(form.splitterPosition(), 0);
    EXPECT_EQ(placed("TabStrip2").x(), 0);
    EXPECT_EQ(form.webBrowser1Geometry().x(), 50);
    EXPECT_EQ(form.browser(Pane::Inbox).x(), form.twips().toPixels(50));
    expectHidden({"CommandHide", "LabelBkName", "MSFlexGrid1", "imgSplitter"}, true);
    expectHidden({"CommandShowAddress", "CommandTo"}, false);
    ASSERT_EQ(palette.count(), 1);
    EXPECT_EQ(palette.at(0).at(0).toInt(), 50);

    // The resize handling keeps the pane away.
    const QRect before = form.webBrowser1Geometry();
    form.resize(1000, 700);
    EXPECT_TRUE(waitFor([&] { return form.webBrowser1Geometry() != before; }));
    EXPECT_EQ(form.webBrowser1Geometry().x(), 50);

    // Showing it always puts the splitter at 3480, whatever it was before.
    click("CommandShowAddress");
    EXPECT_EQ(form.splitterPosition(), 3480);
    EXPECT_EQ(placed("TabStrip2").x(), 3480);
    EXPECT_EQ(form.webBrowser1Geometry().x(), 3530);
    expectHidden({"CommandHide", "LabelBkName", "imgSplitter"}, false);
    // The grid waits for an address book to be opened.
    expectHidden({"CommandShowAddress", "CommandTo", "MSFlexGrid1"}, true);
    EXPECT_EQ(palette.count(), 2);
}

TEST_F(MainFormTest, expandThenContract_returnsToTheKeptPosition)
{
    layOutAt(4200);
    QAction *expand = child<QAction>("expand");
    expand->trigger();
    EXPECT_TRUE(form.isExpanded());
    EXPECT_EQ(form.splitterPosition(), layout::expandedSplitter(form.innerWidth()));
    EXPECT_EQ(placed("TabStrip1").width(), form.splitterPosition());
    EXPECT_EQ(expand->toolTip(), QStringLiteral("Contract Address Book"));

    expand->trigger();
    EXPECT_FALSE(form.isExpanded());
    EXPECT_EQ(form.splitterPosition(), 4200);
    EXPECT_EQ(expand->toolTip(), QStringLiteral("Expand Address Book"));

    // Showing the pane contracts an expanded one first.
    expand->trigger();
    form.hideAddressPane();
    form.showAddressPane();
    EXPECT_FALSE(form.isExpanded());
    EXPECT_EQ(form.splitterPosition(), 3480);
    EXPECT_EQ(expand->toolTip(), QStringLiteral("Expand Address Book"));
}

TEST_F(MainFormTest, draggingTheSplitter_clampsTheBarAndLaysOutOnRelease)
{
    auto *handle = child("imgSplitter");
    auto *bar = child("picSplitter");
    const Twips twips = form.twips();
    // The mouse position, relative to the handle, that puts the bar at `target`.
    auto mouseAt = [&](int target) { return QPoint(twips.toPixels(target - placed("imgSplitter").x()), 10); };

    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 10));
    EXPECT_TRUE(form.isDraggingSplitter());
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(form.dragBarPosition(), placed("imgSplitter").x());

    // The clamps' numbers are LayoutRulesTest's.
    QTest::mouseMove(handle, mouseAt(200));
    EXPECT_EQ(form.dragBarPosition(), layout::clampSplitterWhileDragging(200, form.innerWidth()));
    EXPECT_EQ(placed("picSplitter").x(), form.dragBarPosition());
    QTest::mouseRelease(handle, Qt::LeftButton, {}, mouseAt(200));
    EXPECT_FALSE(form.isDraggingSplitter());
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(form.splitterPosition(), layout::clampSplitterOnLayout(200, form.innerWidth(), true));
    EXPECT_EQ(placed("TabStrip2").x(), form.splitterPosition());

    // A drop inside the limits is taken where the bar is.
    const QPoint middle = mouseAt(6000);
    const int expected = placed("imgSplitter").x() + twips.toTwips(middle.x());
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 10));
    QTest::mouseMove(handle, middle);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, middle);
    EXPECT_EQ(form.splitterPosition(), expected);
    EXPECT_EQ(form.webBrowser1Geometry().x(), expected + 50);
}

TEST_F(MainFormTest, waitPanelCancel_setsTheFlagAndHidesThePanel)
{
    auto *wait = child("PictureWait");
    // Centred across the first pane, also when the layout changes under it.
    const auto centredOverFirstPane = [&] {
        const QRect panel = placed("PictureWait"), pane = form.webBrowser1Geometry();
        return pane.contains(panel) && qAbs(panel.center().x() - pane.center().x()) <= 1;
    };
    form.showWaitPanel();
    EXPECT_FALSE(wait->isHidden());
    EXPECT_TRUE(centredOverFirstPane());
    form.hideAddressPane();
    EXPECT_TRUE(centredOverFirstPane());
    form.hideWaitPanel();
    EXPECT_TRUE(wait->isHidden());
    EXPECT_FALSE(shell.state().WaitCancelled);

    form.showWaitPanel();
    click("CommandCancelWait");
    EXPECT_TRUE(shell.state().WaitCancelled);
    EXPECT_TRUE(wait->isHidden());
}

TEST_F(MainFormTest, inboxProgress_showsTheBarOnlyBetweenOneAndTheMaximum)
{
    auto *progress = child<QProgressBar>("Progress1");
    BrowserPane *inbox = &form.browser(Pane::Inbox);
    Q_EMIT inbox->progressChange(30, 40);
    EXPECT_FALSE(progress->isHidden());
    EXPECT_EQ(progress->maximum(), 40);
    EXPECT_EQ(progress->value(), 30);
    Q_EMIT inbox->progressChange(40, 40);
    EXPECT_TRUE(progress->isHidden());

    // Another pane's progress leaves the bar alone.
    Q_EMIT inbox->progressChange(5, 40);
    Q_EMIT form.browser(Pane::Compose).progressChange(40, 40);
    EXPECT_FALSE(progress->isHidden());
}

TEST_F(MainFormTest, statusText_reachesPanel3OnlyFromTheShownPane)
{
    form.selectTab(Tab::InboxLogin);
    Q_EMIT form.browser(Pane::Preview).statusTextChange(QStringLiteral("from the hidden preview"));
    EXPECT_EQ(form.statusPanelText(3), QString());
    Q_EMIT form.browser(Pane::Inbox).statusTextChange(QStringLiteral("from the inbox"));
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("from the inbox"));

    form.selectTab(Tab::SavedFolders);
    Q_EMIT form.browser(Pane::Inbox).statusTextChange(QStringLiteral("inbox now hidden"));
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("from the inbox"));
    Q_EMIT form.browser(Pane::Preview).statusTextChange(QStringLiteral("preview"));
    EXPECT_EQ(form.statusPanelText(3), QStringLiteral("preview"));
}

TEST_F(MainFormTest, inboxFrameButtons_moveTheEditorPanelOrAskForTheBody)
{
    QSignalSpy transfer(&form, &MainForm::transferEditorBodyRequested);
    click("Command2");
    EXPECT_EQ(transfer.count(), 1);
    EXPECT_EQ(boxes.shown.size(), 1u); // the first pane shows no blog: that is said

    form.setEditorHeight(3030);
    QWidget *panel = child("PictureBlog");
    QWidget *editor = child("DHTMLEdit1");
    EXPECT_FALSE(panel->isVisible()); // folded away at start

    const QRect first = form.webBrowser1Geometry();
    click("Command1");
    EXPECT_EQ(form.twipsGeometry(panel), QRect(first.x(), first.y() + 950, first.width(), 3030));
    EXPECT_EQ(form.twipsGeometry(editor).width(), first.width() - 10);
    EXPECT_TRUE(panel->isVisible());

    // It lies over the first pane only: other tabs do not show it.
    form.selectTab(Tab::Settings);
    EXPECT_FALSE(panel->isVisible());
    form.selectTab(Tab::InboxLogin);
    EXPECT_TRUE(panel->isVisible());

    // The window's size changes: the panel follows the first pane, and a
    // short pane never has it reach past its bottom.
    form.resize(1100, 760);
    EXPECT_TRUE(waitFor([&] { return form.webBrowser1Geometry() != first; }));
    QRect now = form.webBrowser1Geometry();
    EXPECT_EQ(form.twipsGeometry(panel), QRect(now.x(), now.y() + 950, now.width(), 3030));
    form.resize(700, 330);
    EXPECT_TRUE(waitFor([&] { return form.webBrowser1Geometry().width() < now.width(); }));
    now = form.webBrowser1Geometry();
    EXPECT_TRUE(now.contains(form.twipsGeometry(panel))) << now.height();
    EXPECT_LT(form.twipsGeometry(panel).height(), 3030);
    EXPECT_EQ(form.twipsGeometry(editor).height(), form.twipsGeometry(panel).height() - 400);
    EXPECT_EQ(form.editorHeight(), 3030);
    form.resize(1100, 760);
    EXPECT_TRUE(waitFor([&] { return form.twipsGeometry(panel).height() == 3030; }));

    now = form.webBrowser1Geometry();
    click("Command4");
    EXPECT_EQ(form.twipsGeometry(panel), QRect(now.x(), now.y() + 100, 1, 3030));
    EXPECT_EQ(form.twipsGeometry(editor).width(), now.width() - 10);
    EXPECT_FALSE(panel->isVisible());
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
    form.selectTab(Tab::Calendar);
    BrowserPane *inbox = &form.browser(Pane::Inbox);
    QSignalSpy loaded(inbox, &BrowserPane::documentComplete);
    auto *addressBox = child<QComboBox>("AddressCombo");
    addressBox->setEditText(writePage(dir, "start.html"));
    child<QAction>("go")->trigger();
    EXPECT_EQ(form.selectedTab(), Tab::InboxLogin);

    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(inbox->locationUrl().endsWith(QStringLiteral("start.html")));
    // The address box shows the pane's address, not that of a frame inside it.
    addressBox->setEditText(QString());
    Q_EMIT inbox->navigateComplete(QStringLiteral("about:frame-inside-the-page"));
    EXPECT_EQ(addressBox->currentText(), inbox->locationUrl());
}

TEST_F(MainFormTest, previewLoaded_givesTheMessageListTheFocus)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BrowserPane *preview = &form.browser(Pane::Preview);
    QSignalSpy loaded(preview, &BrowserPane::documentComplete);
    QWidget *list = child("ListMsg");
    auto completeWithFocusElsewhere = [&] {
        child("AddressCombo")->setFocus();
        Q_EMIT preview->documentComplete(preview->locationUrl());
    };

    form.selectTab(Tab::SavedFolders);
    preview->navigate(writePage(dir, "message.htm"));
    ASSERT_TRUE(loaded.wait(20000));
    completeWithFocusElsewhere();
    EXPECT_EQ(form.focusWidget(), list);

    // A hidden preview leaves the focus alone, even with the list on show.
    preview->hide();
    completeWithFocusElsewhere();
    EXPECT_NE(form.focusWidget(), list);
    preview->show();

    // The empty preview page does not take the focus from where it is.
    loaded.clear();
    preview->navigate(writePage(dir, "BlankMsg.htm"));
    ASSERT_TRUE(loaded.wait(20000));
    completeWithFocusElsewhere();
    EXPECT_NE(form.focusWidget(), list);
}

TEST_F(MainFormTest, surfacePress_isSignalledOnlyOutsideControls)
{
    QSignalSpy pressed(&form, &MainForm::surfaceMousePressed);
    QWidget *surface = child("LayoutSurface");
    // Below the pane rectangle, above the status bar: bare surface.
    const QPoint bare(surface->width() - 3, surface->height() - 2);
    ASSERT_EQ(surface->childAt(bare), nullptr);
    const auto clickAt = [](QWidget *target, QPoint at) {
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    };
    clickAt(surface, bare);
    EXPECT_EQ(pressed.count(), 1);

    // A label ignores the press, which bubbles up to the surface: still not
    // the surface's own.
    auto *bookName = child<QLabel>("LabelBkName");
    bookName->setText(QStringLiteral("Friends"));
    clickAt(bookName, QPoint(2, 2));
    EXPECT_EQ(pressed.count(), 1);
}

} // namespace

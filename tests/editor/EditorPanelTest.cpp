// The editor panel in the real engine: Toolbar3 and its lists, the display
// of the format at the caret, the context menu with Timer1, the colour and
// font dialogs, the expand key and "Earn $$".
#include "editor/ui/AffiliateDialog.h"
#include "editor/ui/EditorFontDialog.h"
#include "editor/ui/EditorFormatBar.h"
#include "editor/ui/EditorPanel.h"
#include "platform/EditorDocument.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "EditorBody.h"
#include "ModalAnswer.h"
#include "TestEditorHost.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class RecordingDialogs : public EditorDialogs
{
public:
    QStringList opened;
    QPointer<QMenu> menuAtOpening;
    std::function<void()> onOpen;

    void openHyperlink() override { opened << QStringLiteral("link"); }
    void openImage() override { opened << QStringLiteral("image"); }
    void openInsertTable() override { opened << QStringLiteral("table"); }
    void openCellProperties(CellScope scope) override
    {
        opened << QStringLiteral("cell %1").arg(int(scope));
        if (onOpen)
            onOpen();
    }
    void openTableProperties() override
    {
        opened << QStringLiteral("table properties");
        if (onOpen)
            onOpen();
    }
};

class EditorPanelTest : public ::testing::Test
{
protected:
    TestEditorHost host;
    EditorPanel panel{host};

    void SetUp() override
    {
        QFrame *frame = panel.parts().panel;
        frame->resize(700, 420);
        panel.parts().editor->setGeometry(0, 40, 700, 380);
        frame->show();
    }

    EditorDocument &document() { return panel.document(); }
    EditorFormatBar &bar() { return panel.formatBar(); }

    void setBody(const QString &body) { ferrowen::testing::setBody(document(), body); }

    void caretIn(const QString &text, int at = 1) { ferrowen::testing::selectText(document(), text, at); }
    void selectText(const QString &text) { ferrowen::testing::selectText(document(), text); }

    // As the user does: once the button is enabled (the display refresh
    // after a selection comes through the event loop).
    void click(const char *key)
    {
        QAction *button = bar().button(key);
        EXPECT_TRUE(waitFor([&] { return button->isEnabled(); })) << key;
        button->trigger();
    }

    // Right-clicks the editing area the way the user does and waits for
    // the editor's menu.
    QMenu *openContextMenu(QPoint at = QPoint(60, 30))
    {
        QWidget *view = panel.parts().editor->findChild<QWidget *>(QStringLiteral("EditorView"));
        QWidget *surface = view->focusProxy() ? view->focusProxy() : view;
        QTest::mouseClick(surface, Qt::RightButton, {}, at);
        QMenu *menu = nullptr;
        waitFor([&] {
            for (QMenu *shown : panel.parts().editor->findChildren<QMenu *>(QStringLiteral("EditorContextMenu"))) {
                if (shown->isVisible())
                    menu = shown;
            }
            return menu != nullptr;
        });
        return menu;
    }
};

TEST_F(EditorPanelTest, buttonsAndListsShowTheFormatAtTheCaret)
{
    setBody(QStringLiteral("<p>plain <b>bold</b> <font face=\"Verdana\" size=\"5\">big</font></p><ol><li>item</li></ol>"));
    caretIn(QStringLiteral("bold"));
    panel.refreshDisplay();
    EXPECT_TRUE(bar().button("Bold")->isChecked());
    EXPECT_TRUE(bar().button("Bold")->isEnabled());
    EXPECT_FALSE(bar().button("Italic")->isChecked());
    EXPECT_TRUE(bar().button("LeftJustify")->isChecked());

    caretIn(QStringLiteral("big"));
    panel.refreshDisplay();
    EXPECT_FALSE(bar().button("Bold")->isChecked());
    EXPECT_EQ(bar().fontCombo()->currentText(), QStringLiteral("Verdana"));
    EXPECT_EQ(bar().sizeCombo()->currentText(), QStringLiteral("5"));
    EXPECT_TRUE(bar().fontCombo()->isEnabled());

    caretIn(QStringLiteral("item"));
    panel.refreshDisplay();
    EXPECT_TRUE(bar().button("Numbers")->isChecked());
    EXPECT_FALSE(bar().button("Bullets")->isChecked());

    // The engine reports a change of the display by itself.
    caretIn(QStringLiteral("bold"));
    EXPECT_TRUE(waitFor([&] { return bar().button("Bold")->isChecked(); }));
}

TEST_F(EditorPanelTest, toolbarButtonsAndListsFormatTheSelection)
{
    setBody(QStringLiteral("<p>one two three</p>"));
    selectText(QStringLiteral("one"));
    click("Bold");
    EXPECT_EQ(document().bodyInnerHTML(), QStringLiteral("<p><b>one</b> two three</p>"));

    selectText(QStringLiteral("two"));
    bar().sizeCombo()->activated(6);
    EXPECT_TRUE(document().bodyInnerHTML().contains(QStringLiteral("<font size=\"7\">two</font>")));
    selectText(QStringLiteral("three"));
    bar().sizeCombo()->activated(0);
    bar().fontCombo()->activated(1);
    EXPECT_TRUE(document().bodyInnerHTML().contains(QStringLiteral("size=\"1\""))) << document().bodyInnerHTML().toStdString();
    EXPECT_TRUE(document().bodyInnerHTML().contains(QStringLiteral("face=\"Arial\""))) << document().bodyInnerHTML().toStdString();

    // The style list acts once the editor has reported the display.
    panel.refreshDisplay();
    bar().styleCombo()->activated(1);
    EXPECT_TRUE(document().bodyInnerHTML().startsWith(QStringLiteral("<h1>"))) << document().bodyInnerHTML().toStdString();
}

TEST_F(EditorPanelTest, colourButtonWritesTheChosenColourAndCancelChangesNothing)
{
    setBody(QStringLiteral("<p>warm</p>"));
    selectText(QStringLiteral("warm"));
    host.colours.answers = {std::nullopt};
    click("Color");
    EXPECT_EQ(document().bodyInnerHTML(), QStringLiteral("<p>warm</p>"));
    host.colours.answers = {0x0080FF};
    click("Color");
    EXPECT_EQ(document().bodyInnerHTML(), QStringLiteral("<p><font color=\"#ff8000\">warm</font></p>"));
}

TEST_F(EditorPanelTest, contextMenuItemsActAndTableDialogsOpenAfterTheMenuCloses)
{
    RecordingDialogs dialogs;
    panel.setDialogs(&dialogs);
    setBody(QStringLiteral("<table style=\"width:100%;height:300px\"><tbody><tr><td>cell</td></tr></tbody></table>"));
    document().select({1, 1});

    // The menu's groups and numbers are the command table's
    // (ColourAndCommandRulesTest); here, that the engine's state reaches it.
    QMenu *menu = openContextMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->actions().size(), 18);
    EXPECT_FALSE(menu->actions().at(0)->isEnabled()) << "nothing selected to cut";
    menu->actions().at(8)->trigger(); // Insert Row
    menu->close();
    EXPECT_EQ(document().bodyInnerHTML().count(QStringLiteral("<tr>")), 2);

    QPointer<QMenu> second = openContextMenu();
    ASSERT_TRUE(second);
    QElapsedTimer chosen;
    bool menuGoneAtOpening = false;
    dialogs.onOpen = [&] { menuGoneAtOpening = !second || !second->isVisible(); };
    chosen.start();
    second->actions().at(15)->trigger(); // Row Properties
    second->close();
    EXPECT_TRUE(dialogs.opened.isEmpty());
    ASSERT_TRUE(waitFor([&] { return !dialogs.opened.isEmpty(); }));
    EXPECT_GE(chosen.elapsed(), 95);
    EXPECT_TRUE(menuGoneAtOpening);
    EXPECT_EQ(dialogs.opened, QStringList{QStringLiteral("cell 1")});
    EXPECT_FALSE(panel.tableDialogTimer()->isActive());
}

TEST_F(EditorPanelTest, fontItemOpensTheEditorsOwnFontDialog)
{
    setBody(QStringLiteral("<p style=\"height:300px\">some words</p>"));
    selectText(QStringLiteral("some"));
    answerNextModal<EditorFontDialog>([](EditorFontDialog &dialog) {
        dialog.findChild<QComboBox *>(QStringLiteral("ComboFontName"))->setEditText(QStringLiteral("Verdana"));
        dialog.findChild<QComboBox *>(QStringLiteral("ComboFontSize"))->setCurrentIndex(5);
        dialog.findChild<QCheckBox *>(QStringLiteral("CheckBold"))->setChecked(true);
        dialog.accept();
    });
    // On the selected word, which stays selected.
    QMenu *menu = openContextMenu(QPoint(20, 16));
    ASSERT_TRUE(menu);
    menu->actions().at(6)->trigger(); // Font...
    menu->close();
    const QString html = document().bodyInnerHTML();
    EXPECT_TRUE(html.contains(QStringLiteral("face=\"Verdana\""))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("size=\"5\""))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<b>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral(" words"))) << html.toStdString();
}

TEST_F(EditorPanelTest, expandKeySwitchesBetweenTheTwoHeightsAndHideFoldsThePanelAway)
{
    host.placementValue.EditorHeight = 3030;
    host.panelHeight = 3030;
    host.paneHeight = 9000;
    click("expand");
    EXPECT_EQ(host.panelHeight, 9000 - 950 - 50);
    EXPECT_EQ(bar().button("expand")->toolTip(), QStringLiteral("Contract Editor"));
    click("expand");
    EXPECT_EQ(host.panelHeight, 3030);
    EXPECT_EQ(bar().button("expand")->toolTip(), QStringLiteral("Expand Editor"));

    // A stored height too small to use gives way to the designed one.
    host.placementValue.EditorHeight = 1200;
    click("expand");
    click("expand");
    EXPECT_EQ(host.panelHeight, 3030);

    // The hide key folds the panel away and keeps its height.
    click("hide");
    EXPECT_EQ(host.folds, 1);
    EXPECT_EQ(host.panelHeight, 3030);
}

TEST_F(EditorPanelTest, earnDialogNeedsIdentifierAndTextToSwitchTheCreditOn)
{
    answerNextModal<AffiliateDialog>([](AffiliateDialog &dialog) {
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        dialog.findChild<QCheckBox *>(QStringLiteral("CheckAffiliate"))->setChecked(true);
        EXPECT_FALSE(ok->isEnabled());
        dialog.findChild<QLineEdit *>(QStringLiteral("TextAffiliateId"))->setText(QStringLiteral(" A-17 "));
        dialog.findChild<QLineEdit *>(QStringLiteral("TextAffiliateText"))->setText(QStringLiteral("Made with care"));
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    panel.showAffiliateDialog();
    EXPECT_TRUE(host.affiliateValue.enabled);
    EXPECT_EQ(host.affiliateValue.id, QStringLiteral("A-17"));
    EXPECT_EQ(host.affiliateValue.text, QStringLiteral("Made with care"));

    answerNextModal<AffiliateDialog>([](AffiliateDialog &dialog) { dialog.reject(); });
    panel.showAffiliateDialog();
    EXPECT_TRUE(host.affiliateValue.enabled);
}

TEST_F(EditorPanelTest, dialogButtonsWaitForTheirDialogs)
{
    EXPECT_FALSE(bar().button("table")->isEnabled());
    RecordingDialogs dialogs;
    panel.setDialogs(&dialogs);
    click("link");
    click("image");
    click("table");
    EXPECT_EQ(dialogs.opened, (QStringList{QStringLiteral("link"), QStringLiteral("image"), QStringLiteral("table")}));
    panel.setDialogs(nullptr);
}

} // namespace

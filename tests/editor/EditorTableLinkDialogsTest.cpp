// The table and hyperlink dialogs in the real engine, opened as the panel
// opens them: OK changes the document as expected, Cancel leaves it as it
// was.
#include "editor/EditorCommands.h"
#include "editor/ui/EditorDialogSet.h"
#include "editor/ui/EditorFormatBar.h"
#include "editor/ui/EditorPanel.h"
#include "editor/ui/FormCellProp.h"
#include "editor/ui/FormHyperLink.h"
#include "editor/ui/FormTableProp.h"
#include "editor/ui/InsertTableDlg.h"
#include "platform/EditorDocument.h"
#include "platform/web/BrowserPane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "EditorBody.h"
#include "ModalAnswer.h"
#include "NamedChild.h"
#include "TestEditorHost.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

template<typename W>
W *control(QWidget &dialog, const char *name)
{
    return namedChild<W>(dialog, name);
}

void pressOk(QDialog &dialog)
{
    control<QDialogButtonBox>(dialog, "")->button(QDialogButtonBox::Ok)->click();
}

void pressCancel(QDialog &dialog)
{
    control<QDialogButtonBox>(dialog, "")->button(QDialogButtonBox::Cancel)->click();
}

// Replaces a box's text as the user does, key by key.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

class TableLinkDialogsTest : public ::testing::Test
{
protected:
    TestEditorHost host;
    EditorPanel panel{host};
    QWidget window;
    EditorDialogSet dialogs{panel, host, &window};

    void SetUp() override
    {
        QFrame *frame = panel.parts().panel;
        frame->resize(700, 420);
        panel.parts().editor->setGeometry(0, 40, 700, 380);
        frame->show();
        panel.setDialogs(&dialogs);
    }

    void TearDown() override
    {
        panel.setDialogs(nullptr);
    }

    EditorDocument &document() { return panel.document(); }

    void setBody(const QString &body) { ferrowen::testing::setBody(document(), body); }

    void caretIn(const QString &text, int at = 1) { ferrowen::testing::selectText(document(), text, at); }
    void selectText(const QString &text) { ferrowen::testing::selectText(document(), text); }

    void click(const char *key)
    {
        QAction *button = panel.formatBar().button(key);
        ASSERT_TRUE(waitFor([&] { return button->isEnabled(); })) << key;
        button->trigger();
    }
};

// --- Insert table ---------------------------------------------------------------

TEST_F(TableLinkDialogsTest, insertTableOkInsertsTableAndCaptionCancelChangesNothing)
{
    setBody(QStringLiteral("<p>before after</p>"));
    caretIn(QStringLiteral("before "), 7);
    const QString before = document().DocumentHTML();

    ASSERT_TRUE(answeredModal<InsertTableDlg>([&] { click("table"); }, [](InsertTableDlg &dialog) {
        control<QLineEdit>(dialog, "Rows")->setText(QStringLiteral("3"));
        pressCancel(dialog);
    }));
    EXPECT_EQ(document().DocumentHTML(), before);

    ASSERT_TRUE(answeredModal<InsertTableDlg>([&] { click("table"); }, [&](InsertTableDlg &dialog) {
        EXPECT_EQ(control<QComboBox>(dialog, "ComboHoriz")->currentText(), QStringLiteral("Center"));
        EXPECT_EQ(control<QSpinBox>(dialog, "EditPadding")->value(), 3);
        // A refused count keeps the dialog open.
        control<QLineEdit>(dialog, "Rows")->setText(QStringLiteral("0"));
        pressOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        control<QLineEdit>(dialog, "Rows")->setText(QStringLiteral("3"));
        typeInto(control<QLineEdit>(dialog, "EditWidth"), QStringLiteral("80"));
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckSetWidth")->isChecked());
        control<QLineEdit>(dialog, "TableCaption")->setText(QStringLiteral("Prices"));
        control<QCheckBox>(dialog, "CheckShowBorder")->setChecked(true);
        pressOk(dialog);
    }));
    ASSERT_EQ(host.boxes.texts(),
              QStringList{QStringLiteral("Please specify a positive integer for the number of table rows.")});
    EXPECT_EQ(host.boxes.shown.first().icon, MessageBoxes::Icon::Critical);

    const QString body = document().bodyInnerHTML();
    EXPECT_TRUE(body.contains(QLatin1String("<table width=\"80%\" align=\"CENTER\" border=\"0\" cellpadding=\"3\" "
                                            "cellspacing=\"0\"><caption>Prices</caption><tbody>")))
        << body.toStdString();
    EXPECT_EQ(body.count(QLatin1String("<tr>")), 3);
    EXPECT_EQ(body.count(QLatin1String("<td>")), 6);
    EXPECT_LT(body.indexOf(QLatin1String("before")), body.indexOf(QLatin1String("<table")));
    EXPECT_GT(body.indexOf(QLatin1String("after")), body.indexOf(QLatin1String("</table>")));

    // The borders drawn while editing stay out of the document, also when
    // it is replaced.
    EXPECT_TRUE(document().showBorders());
    EXPECT_FALSE(document().DocumentHTML().contains(QLatin1String("outline")));
    setBody(QStringLiteral("<table><tbody><tr><td>x</td></tr></tbody></table>"));
    EXPECT_TRUE(document().showBorders());
}

// --- Table properties -----------------------------------------------------------

TEST_F(TableLinkDialogsTest, tablePropertiesOkRewritesTheTableCancelChangesNothing)
{
    setBody(QStringLiteral("<p>x</p><table width=\"50%\" align=\"middle\" border=\"1\" bgcolor=\"red\"><tbody><tr><td>a"
                           "<table id=\"inner\"><tbody><tr><td>n</td></tr></tbody></table></td></tr></tbody></table>"));
    const QString before = document().DocumentHTML();
    caretIn(QStringLiteral("a"), 0);

    ASSERT_TRUE(answeredModal<FormTableProp>([&] { dialogs.openTableProperties(); }, [](FormTableProp &dialog) {
        typeInto(control<QLineEdit>(dialog, "EditWidth"), QStringLiteral("-5"));
        pressOk(dialog); // refused: stays open
        EXPECT_TRUE(dialog.isVisible());
        pressCancel(dialog);
    }));
    EXPECT_EQ(host.boxes.texts(), QStringList{QStringLiteral("You must specify a valid width for the table.")});
    EXPECT_EQ(document().DocumentHTML(), before);

    caretIn(QStringLiteral("a"), 0);
    host.files.openAnswers = {QStringLiteral("/tmp/pics/sky.gif")};
    ASSERT_TRUE(answeredModal<FormTableProp>([&] { dialogs.openTableProperties(); }, [](FormTableProp &dialog) {
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckSetWidth")->isChecked());
        EXPECT_EQ(control<QLineEdit>(dialog, "EditWidth")->text(), QStringLiteral("50"));
        EXPECT_EQ(control<QComboBox>(dialog, "ComboHoriz")->currentText(), QStringLiteral("Center"));
        EXPECT_EQ(control<QSpinBox>(dialog, "EditBorder")->value(), 1);
        EXPECT_TRUE(control<QLabel>(dialog, "ShapeBkColor")->text().endsWith(QLatin1String(" red")));
        typeInto(control<QLineEdit>(dialog, "EditWidth"), QStringLiteral("150"));
        control<QSpinBox>(dialog, "EditSpacing")->setValue(2);
        control<QPushButton>(dialog, "CommandBkImage")->click();
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckBkImage")->isChecked());
        pressOk(dialog);
    }));
    const QString body = document().bodyInnerHTML();
    EXPECT_TRUE(body.contains(QLatin1String(
        "<table width=\"100%\" align=\"middle\" border=\"1\" bgcolor=\"red\" background=\"file:///tmp/pics/sky.gif\" "
        "cellspacing=\"2\"><tbody><tr><td>a"
        "<table id=\"inner\"><tbody>")))
        << body.toStdString();

    // The table changed while the dialog was open: nothing is written, the
    // user hears why and the dialog stays open.
    host.boxes.shown.clear();
    caretIn(QStringLiteral("a"), 0);
    ASSERT_TRUE(answeredModal<FormTableProp>([&] { dialogs.openTableProperties(); }, [&](FormTableProp &dialog) {
        typeInto(control<QLineEdit>(dialog, "EditWidth"), QStringLiteral("60"));
        setBody(QStringLiteral("<table><tbody><tr><td>b</td></tr></tbody></table>"));
        pressOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        pressCancel(dialog);
    }));
    ASSERT_EQ(host.boxes.texts().size(), 1);
    EXPECT_TRUE(host.boxes.texts().first().startsWith(QLatin1String("The table could not be changed in the document: ")));
    EXPECT_FALSE(document().bodyInnerHTML().contains(QLatin1String("60")));
}

// --- Cell, row and column properties ----------------------------------------------

TEST_F(TableLinkDialogsTest, columnPropertiesOkChangesTheColumnCancelChangesNothing)
{
    setBody(QStringLiteral("<table><tbody>"
                           "<tr><td>1</td><td>2</td><td>3</td></tr>"
                           "<tr><td>4</td><td nowrap=\"\">5</td><td>6</td></tr>"
                           "<tr><td>7</td><td>8</td><td>9</td></tr></tbody></table>"));
    const QUrl base = QUrl::fromLocalFile(QDir::tempPath() + QStringLiteral("/blog/"));
    document().setBaseURL(base);
    const QString before = document().DocumentHTML();

    caretIn(QStringLiteral("2"), 1);
    ASSERT_TRUE(answeredModal<FormCellProp>([&] { dialogs.openCellProperties(CellScope::Column); }, [](FormCellProp &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Column Properties"));
        control<QCheckBox>(dialog, "CheckNoWrap")->setChecked(true);
        pressCancel(dialog);
    }));
    EXPECT_EQ(document().DocumentHTML(), before);

    host.colours.answers = {0x0000FF};
    caretIn(QStringLiteral("2"), 1);
    ASSERT_TRUE(answeredModal<FormCellProp>([&] { dialogs.openCellProperties(CellScope::Column); }, [](FormCellProp &dialog) {
        EXPECT_FALSE(control<QCheckBox>(dialog, "CheckSetHeight")->isEnabled());
        EXPECT_FALSE(control<QSpinBox>(dialog, "EditColSpan")->isEnabled());
        EXPECT_TRUE(control<QSpinBox>(dialog, "EditRowSpan")->isEnabled());
        EXPECT_EQ(control<QSpinBox>(dialog, "EditRowSpan")->value(), 1);
        control<QPushButton>(dialog, "CommandBkColor")->click();
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckSetBkColor")->isChecked());
        control<QComboBox>(dialog, "ComboVert")->setCurrentText(QStringLiteral("Top"));
        pressOk(dialog);
    }));
    // Only what was changed goes into the column: the fifth cell keeps its
    // own NOWRAP.
    const QString body = document().bodyInnerHTML();
    EXPECT_EQ(body, QStringLiteral("<table><tbody>"
                                   "<tr><td>1</td><td bgcolor=\"#FF0000\" valign=\"TOP\">2</td><td>3</td></tr>"
                                   "<tr><td>4</td><td nowrap=\"\" bgcolor=\"#FF0000\" valign=\"TOP\">5</td><td>6</td></tr>"
                                   "<tr><td>7</td><td bgcolor=\"#FF0000\" valign=\"TOP\">8</td><td>9</td></tr>"
                                   "</tbody></table>"));
    EXPECT_EQ(document().BaseURL(), base);
}

TEST_F(TableLinkDialogsTest, cellPropertiesSwitchScopeAndSetNoWrap)
{
    setBody(QStringLiteral("<table><tbody><tr><th>h1</th><th>h2</th></tr>"
                           "<tr><td>a</td><td nowrap=\"\">b</td></tr></tbody></table>"));
    caretIn(QStringLiteral("b"), 1);
    ASSERT_TRUE(answeredModal<FormCellProp>([&] { dialogs.openCellProperties(CellScope::Cell); }, [](FormCellProp &dialog) {
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckNoWrap")->isChecked());
        control<QRadioButton>(dialog, "OptionRow")->click();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Row Properties"));
        EXPECT_FALSE(control<QCheckBox>(dialog, "CheckSetWidth")->isEnabled());
        control<QCheckBox>(dialog, "CheckNoWrap")->setChecked(false);
        typeInto(control<QLineEdit>(dialog, "EditHeight"), QStringLiteral("40"));
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckSetHeight")->isChecked());
        control<QRadioButton>(dialog, "OptionHeightPix")->setChecked(true);
        pressOk(dialog);
    }));
    EXPECT_EQ(document().bodyInnerHTML(),
              QStringLiteral("<table><tbody><tr><th>h1</th><th>h2</th></tr>"
                             "<tr><td height=\"40\">a</td><td height=\"40\">b</td></tr></tbody></table>"));
}

// --- Hyperlinks -------------------------------------------------------------------

TEST_F(TableLinkDialogsTest, hyperlinkOkLinksTheWordWithoutItsBlankCancelChangesNothing)
{
    setBody(QStringLiteral("<p><a name=\"top\"></a>one word here</p><p><A NAME=\"end\">e</A></p>"));
    const QString before = document().DocumentHTML();
    selectText(QStringLiteral("word "));
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) {
        EXPECT_EQ(control<QLineEdit>(dialog, "EditExtURL")->text(), QStringLiteral("http://"));
        pressCancel(dialog);
    }));
    EXPECT_EQ(document().DocumentHTML(), before);

    selectText(QStringLiteral("word "));
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) {
        auto *bookmark = control<QComboBox>(dialog, "ComboBookmark");
        dialog.fillBookmarks();
        EXPECT_EQ(bookmark->count(), 2);
        EXPECT_EQ(bookmark->itemText(0), QStringLiteral("top"));
        EXPECT_EQ(bookmark->itemText(1), QStringLiteral("end"));
        bookmark->setCurrentIndex(1);
        control<QComboBox>(dialog, "ComboTarget")->setCurrentText(QStringLiteral("_blank"));
        pressOk(dialog);
    }));
    EXPECT_TRUE(document().bodyInnerHTML().contains(QLatin1String("one <a href=\"#end\" target=\"_blank\">word</a> here")))
        << document().bodyInnerHTML().toStdString();
}

TEST_F(TableLinkDialogsTest, hyperlinkEditsTheLinkAroundTheCaretAndRemovesIt)
{
    setBody(QStringLiteral("<p>see <a href=\"http://example.com/page.htm#top\" target=\"_self\">the page</a> "
                           "or <a href=\"#\">this</a></p>"));
    caretIn(QStringLiteral("the page"), 4);
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) {
        EXPECT_EQ(control<QLineEdit>(dialog, "EditExtURL")->text(), QStringLiteral("http://example.com/page.htm"));
        EXPECT_EQ(control<QComboBox>(dialog, "ComboBookmark")->currentText(), QStringLiteral("top"));
        EXPECT_EQ(control<QComboBox>(dialog, "ComboTarget")->currentText(), QStringLiteral("_self"));
        control<QLineEdit>(dialog, "EditExtURL")->setText(QStringLiteral("http://example.org/"));
        control<QComboBox>(dialog, "ComboTarget")->setCurrentText(QStringLiteral("_top"));
        pressOk(dialog);
    }));
    EXPECT_TRUE(document().bodyInnerHTML().contains(
        QLatin1String("<a href=\"http://example.org/#top\" target=\"_top\">the page</a>")))
        << document().bodyInnerHTML().toStdString();

    // "#" alone shows "http://" and is written back as it was.
    caretIn(QStringLiteral("this"), 2);
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) {
        EXPECT_EQ(control<QLineEdit>(dialog, "EditExtURL")->text(), QStringLiteral("http://"));
        EXPECT_EQ(control<QComboBox>(dialog, "ComboBookmark")->currentText(), QString());
        pressOk(dialog);
    }));
    EXPECT_TRUE(document().bodyInnerHTML().contains(QLatin1String("<a href=\"#\">this</a>")));

    caretIn(QStringLiteral("the page"), 2);
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) {
        control<QPushButton>(dialog, "CommandRemoveLink")->click();
    }));
    EXPECT_EQ(document().bodyInnerHTML(), QStringLiteral("<p>see the page or <a href=\"#\">this</a></p>"));
}

TEST_F(TableLinkDialogsTest, hyperlinkWithoutSelectedTextExplainsAndDoesNotOpen)
{
    setBody(QStringLiteral("<p>plain text</p>"));
    caretIn(QStringLiteral("plain"), 2);
    const QString before = document().DocumentHTML();
    EXPECT_FALSE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) { pressCancel(dialog); }));
    EXPECT_EQ(host.boxes.texts(), QStringList{QStringLiteral("You must select some text to make into a link")});
    EXPECT_EQ(document().DocumentHTML(), before);
}

TEST_F(TableLinkDialogsTest, hyperlinkOnAPictureSelectedAsAWhole)
{
    setBody(QStringLiteral("<p>a <img src=\"x.gif\" alt=\"x\"> b</p>"));
    const int picture = int(document().bodyText().indexOf(QChar(0xFFFC)));
    document().select({picture, picture + 1});
    ASSERT_EQ(document().selection().type, SelectionType::Control);
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [](FormHyperLink &dialog) {
        control<QLineEdit>(dialog, "EditExtURL")->setText(QStringLiteral("big.htm"));
        pressOk(dialog);
    }));
    EXPECT_EQ(document().bodyInnerHTML(), QStringLiteral("<p>a <a href=\"big.htm\"><img src=\"x.gif\" alt=\"x\"></a> b</p>"));
}

TEST_F(TableLinkDialogsTest, hyperlinkPreviewShowsTheAddress)
{
    QTemporaryDir folder;
    const QString page = writeFile(folder.filePath(QStringLiteral("target.htm")), "<p>the target</p>");
    setBody(QStringLiteral("<p>go there</p>"));
    selectText(QStringLiteral("there"));
    QString shown;
    ASSERT_TRUE(answeredModal<FormHyperLink>([&] { click("link"); }, [&](FormHyperLink &dialog) {
        control<QLineEdit>(dialog, "EditExtURL")->setText(QUrl::fromLocalFile(page).toString());
        control<QTabWidget>(dialog, "TabStrip1")->setCurrentIndex(1);
        auto *preview = control<BrowserPane>(dialog, "WebPreview");
        if (preview)
            waitFor([&] { return preview->locationUrl().endsWith(QLatin1String("target.htm")) && !preview->isBusy(); });
        shown = preview ? preview->locationUrl() : QString();
        pressCancel(dialog);
    }));
    EXPECT_TRUE(shown.endsWith(QLatin1String("target.htm"))) << shown.toStdString();
}

} // namespace

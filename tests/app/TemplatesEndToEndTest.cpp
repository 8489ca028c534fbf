// E-mail templates through the real program and the demo site: the lists
// filled from earlier runs, the dialog's insertion and capture (also
// cancelled while waiting), saving into every list, "Use Template".
#include "DemoProgramFixture.h"

#include "app/InboxFramesBand.h"
#include "app/SettingsPanel.h"
#include "merge/ui/DialogTemplate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "ModalAnswer.h"
#include "TestFiles.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class TemplatesEndToEndTest : public DemoProgramFixture
{
protected:
    // Templates saved in an earlier run.
    void prepareMainFolder() override
    {
        ASSERT_TRUE(QDir().mkpath(mainPath(QStringLiteral("templates"))));
        writeFile(mainPath("templates/b second.txt"), "Second\r\nThe second one.\r\n");
        writeFile(mainPath("templates/a first.txt"), "First offer\r\nDear all,\r\nbuy now.\r\n");
        writeFile(mainPath("templates/notes.md"), "not a template");
    }

    QStringList entries(QComboBox *combo)
    {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }
    QComboBox *templateList() { return form().band().templateCombo(); }
    void chooseTemplate(const QString &name) { templateList()->setCurrentIndex(templateList()->findText(name)); }

    // Opens the template dialog with "&New/Edit..." and runs the steps in
    // it once it shows; the steps end by closing it.
    void withTemplateDialog(std::function<void(DialogTemplate &)> steps)
    {
        answerNextModal<DialogTemplate>(std::move(steps));
        click("CommandTemplate");
    }
    template<typename W>
    static W *in(DialogTemplate &dialog, const char *name) { return namedChild<W>(dialog, name); }
    QString yahoo(Pane pane, const char *name) { return field(pane, "Compose", name); }
    QString hotmail(Pane pane, const char *name) { return field(pane, "composeform", name); }
};

TEST_F(TemplatesEndToEndTest, templatesOfEarlierRunsAreListedAndTheChosenOneOpensByItsName)
{
    const QStringList listed{QStringLiteral("Saved"), QStringLiteral("a first.txt"), QStringLiteral("b second.txt")};
    EXPECT_EQ(entries(templateList()), listed);
    EXPECT_EQ(entries(form().settingsPanel().defaultTemplateCombo()), listed);

    open("/yahoo/inbox");
    chooseTemplate(QStringLiteral("a first.txt"));
    QString shownName, shownSubject, shownBody;
    withTemplateDialog([&](DialogTemplate &dialog) {
        shownName = in<QComboBox>(dialog, "Combo1")->currentText();
        shownSubject = in<QLineEdit>(dialog, "Text1")->text();
        shownBody = in<QPlainTextEdit>(dialog, "Text2")->toPlainText();
        in<QPushButton>(dialog, "Command4")->click();
    });

    // The same template as in the main window, though its position in the
    // dialog's list is one less.
    EXPECT_EQ(shownName, QStringLiteral("a first.txt"));
    EXPECT_EQ(shownSubject, QStringLiteral("First offer"));
    EXPECT_EQ(shownBody, QStringLiteral("Dear all,\nbuy now.\n"));
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(yahoo(Pane::Compose, "Subj"), QStringLiteral("First offer"));
    EXPECT_EQ(yahoo(Pane::Compose, "Body"), QStringLiteral("Dear all,\nbuy now.\n"));
    EXPECT_EQ(yahoo(Pane::Compose, "To"), QString());
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
}

TEST_F(TemplatesEndToEndTest, useTemplatePutsTheChosenTemplateAboveTheTextOfTheSitesOwnComposePage)
{
    open("/hotmail/compose");
    form().browser(Pane::Inbox).document().formField(QStringLiteral("composeform"), QStringLiteral("body")).setValue(QStringLiteral("-- Sam"));

    click("Command4");
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral(
                                 "Choose an email template in the list first, or make one with \"New/Edit...\".")});
    EXPECT_EQ(hotmail(Pane::Inbox, "body"), QStringLiteral("-- Sam"));

    chooseTemplate(QStringLiteral("b second.txt"));
    click("Command4");
    EXPECT_EQ(form().selectedTab(), Tab::InboxLogin);
    EXPECT_EQ(hotmail(Pane::Inbox, "subject"), QStringLiteral("Second"));
    EXPECT_EQ(hotmail(Pane::Inbox, "body"), QStringLiteral("The second one.\n\n\n-- Sam"));

    QFile::remove(mainPath(QStringLiteral("templates/b second.txt")));
    click("Command4");
    EXPECT_EQ(boxes.texts().last(), QStringLiteral("The email template \"b second.txt\" is no longer in the templates folder."));
}

TEST_F(TemplatesEndToEndTest, aCapturedFormSavedAsTemplateJoinsEveryList)
{
    open("/yahoo/inbox");
    form().selectTab(Tab::Compose);
    ASSERT_TRUE(waitFor([&] { return yahoo(Pane::Compose, "Subj") == QString(); }, 10000));
    WebPage &compose = form().browser(Pane::Compose).document();
    compose.formField(QStringLiteral("Compose"), QStringLiteral("Subj")).setValue(QStringLiteral("Party \u00e0 la plage"));
    compose.formField(QStringLiteral("Compose"), QStringLiteral("Body")).setValue(QStringLiteral("Bring food.\nAnd music."));
    form().selectTab(Tab::InboxLogin);

    withTemplateDialog([&](DialogTemplate &dialog) {
        in<QPushButton>(dialog, "Command3")->click();
        QTest::keyClicks(in<QComboBox>(dialog, "Combo1")->lineEdit(), QStringLiteral("party"));
        in<QPushButton>(dialog, "OKButton")->click();
        in<QPushButton>(dialog, "CancelButton")->click();
    });

    EXPECT_EQ(QString::fromUtf8(fileBytes(mainPath("templates/party.txt"))),
              QStringLiteral("Party \u00e0 la plage\r\nBring food.\r\nAnd music."));
    EXPECT_EQ(entries(templateList()).last(), QStringLiteral("party.txt"));
    EXPECT_EQ(entries(form().settingsPanel().defaultTemplateCombo()).last(), QStringLiteral("party.txt"));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
}

// Before the user has signed in there is no compose form to capture: the
// dialog stays open with what it holds, and says why.
TEST_F(TemplatesEndToEndTest, aCaptureWithNoComposeFormSaysSoAndLeavesTheDialogAsItWas)
{
    QString subjectAfter;
    bool dialogStayedOpen = false;
    withTemplateDialog([&](DialogTemplate &dialog) {
        in<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("Mine"));
        in<QPushButton>(dialog, "Command3")->click();
        subjectAfter = in<QLineEdit>(dialog, "Text1")->text();
        dialogStayedOpen = dialog.isVisible();
        boxes.answers = {MessageBoxes::Answer::No};
        in<QPushButton>(dialog, "CancelButton")->click();
    });

    EXPECT_TRUE(dialogStayedOpen);
    EXPECT_EQ(subjectAfter, QStringLiteral("Mine"));
    EXPECT_TRUE(child("PictureWait")->isHidden());
    EXPECT_EQ(boxes.texts().value(0), QStringLiteral("There is no compose form to take the template from. Open your "
                                                     "webmail's compose page and try again."));
}

} // namespace

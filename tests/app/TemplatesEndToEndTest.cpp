// E-mail templates through the real program and the demo site: the lists
// filled from earlier runs, the dialog's insertion and capture (also
// cancelled while waiting), saving into every list, "Use Template".
#include "DemoProgramFixture.h"

#include "app/InboxFramesBand.h"
#include "app/SettingsPanel.h"
#include "merge/ui/DialogTemplate.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

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
        writeFile(QStringLiteral("templates/b second.txt"), "Second\r\nThe second one.\r\n");
        writeFile(QStringLiteral("templates/a first.txt"), "First offer\r\nDear all,\r\nbuy now.\r\n");
        writeFile(QStringLiteral("templates/notes.md"), "not a template");
    }
    void writeFile(const QString &relative, const QByteArray &content)
    {
        QFile file(mainPath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
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
    // it once it shows; the steps end by closing it. A dialog still open
    // after a while is closed and fails the test.
    void withTemplateDialog(std::function<void(DialogTemplate &)> steps)
    {
        const auto shownDialog = [] { return qobject_cast<DialogTemplate *>(QApplication::activeModalWidget()); };
        whenTrue([=] { return shownDialog() != nullptr; }, [=] { steps(*shownDialog()); });
        QTimer::singleShot(30000, pending.get(), [this, shownDialog] {
            if (DialogTemplate *left = shownDialog()) {
                ADD_FAILURE() << "the template dialog was left open";
                shell().markClosing();
                left->done(QDialog::Rejected);
            }
        });
        click("CommandTemplate");
    }
    template<typename W>
    static W *in(DialogTemplate &dialog, const char *name)
    {
        W *found = dialog.findChild<W *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString yahoo(int pane, const char *name) { return field(pane, "Compose", name); }
    QString hotmail(int pane, const char *name) { return field(pane, "composeform", name); }
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
    EXPECT_EQ(form().selectedTab(), 2);
    EXPECT_EQ(yahoo(3, "Subj"), QStringLiteral("First offer"));
    EXPECT_EQ(yahoo(3, "Body"), QStringLiteral("Dear all,\nbuy now.\n"));
    EXPECT_EQ(yahoo(3, "To"), QString());
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
}

TEST_F(TemplatesEndToEndTest, useTemplatePutsTheChosenTemplateAboveTheTextOfTheSitesOwnComposePage)
{
    open("/hotmail/compose");
    form().browser(1).document().formField(QStringLiteral("composeform"), QStringLiteral("body")).setValue(QStringLiteral("-- Sam"));

    click("Command4");
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral(
                                 "Choose an email template in the list first, or make one with \"New/Edit...\".")});
    EXPECT_EQ(hotmail(1, "body"), QStringLiteral("-- Sam"));

    chooseTemplate(QStringLiteral("b second.txt"));
    click("Command4");
    EXPECT_EQ(form().selectedTab(), 1);
    EXPECT_EQ(hotmail(1, "subject"), QStringLiteral("Second"));
    EXPECT_EQ(hotmail(1, "body"), QStringLiteral("The second one.\n\n\n-- Sam"));

    QFile::remove(mainPath(QStringLiteral("templates/b second.txt")));
    click("Command4");
    EXPECT_EQ(boxes.texts().last(), QStringLiteral("The email template \"b second.txt\" is no longer in the templates folder."));
}

TEST_F(TemplatesEndToEndTest, aCapturedFormSavedAsTemplateJoinsEveryList)
{
    open("/yahoo/inbox");
    form().selectTab(2);
    ASSERT_TRUE(waitFor([&] { return yahoo(3, "Subj") == QString(); }, 10000));
    WebPage &compose = form().browser(3).document();
    compose.formField(QStringLiteral("Compose"), QStringLiteral("Subj")).setValue(QStringLiteral("Party \u00e0 la plage"));
    compose.formField(QStringLiteral("Compose"), QStringLiteral("Body")).setValue(QStringLiteral("Bring food.\nAnd music."));
    form().selectTab(1);

    withTemplateDialog([&](DialogTemplate &dialog) {
        in<QPushButton>(dialog, "Command3")->click();
        QTest::keyClicks(in<QComboBox>(dialog, "Combo1")->lineEdit(), QStringLiteral("party"));
        in<QPushButton>(dialog, "OKButton")->click();
        in<QPushButton>(dialog, "CancelButton")->click();
    });

    QFile saved(mainPath(QStringLiteral("templates/party.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), QStringLiteral("Party \u00e0 la plage\r\nBring food.\r\nAnd music."));
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

// The template dialog on the offscreen platform, against a fake of the rest
// of the program and a real templates folder.
#include "FakeMergeHost.h"
#include "merge/TemplateFile.h"
#include "merge/ui/DialogTemplate.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "NamedChild.h"
#include "TestFiles.h"

using namespace ferrowen;
using namespace ferrowen::testing;
using Answer = MessageBoxes::Answer;

namespace {

const QString SaveQuestionText = QStringLiteral("Do you want to save your changes to this email template?");

class DialogTemplateTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeMergeHost host;
    std::unique_ptr<DialogTemplate> dialog;

    void SetUp() override { host.folder = dir.filePath(QStringLiteral("templates")); }

    void put(const QString &name, const QByteArray &content) { writeFile(QDir(host.folder).filePath(name), content); }
    // The template in a file, or "<missing>".
    QString subjectIn(const QString &name)
    {
        const QByteArray content = contentOf(name);
        return content == "<missing>" ? QString::fromUtf8(content) : templateFromFileContent(content).subject;
    }
    QByteArray contentOf(const QString &name) { return fileBytes(QDir(host.folder).filePath(name)); }

    void open()
    {
        dialog = std::make_unique<DialogTemplate>(host, host);
        dialog->show();
    }

    template<typename W = QWidget>
    W *child(const char *name) { return namedChild<W>(*dialog, name); }
    void click(const char *name) { child<QPushButton>(name)->click(); }
    QComboBox *names() { return child<QComboBox>("Combo1"); }
    QLineEdit *subject() { return child<QLineEdit>("Text1"); }
    QPlainTextEdit *body() { return child<QPlainTextEdit>("Text2"); }
    void typeName(const QString &name)
    {
        names()->lineEdit()->clear();
        QTest::keyClicks(names()->lineEdit(), name);
    }
    void choose(const QString &name)
    {
        const int index = names()->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        names()->setCurrentIndex(index);
        Q_EMIT names()->activated(index);
    }
};

TEST_F(DialogTemplateTest, aChosenTemplateWhoseFileHasGoneIsSaidSo)
{
    host.listed = {QStringLiteral("gone.txt")};
    host.chosen = QStringLiteral("gone.txt");
    open();
    EXPECT_EQ(host.boxes.texts(), QStringList{QStringLiteral("The email template \"gone.txt\" is no longer in the templates folder.")});
    EXPECT_EQ(subject()->text(), QString());
}

TEST_F(DialogTemplateTest, saveWritesTheFileAndAddsItsNameToTheListsOnce)
{
    open();
    typeName(QStringLiteral("offer"));
    subject()->setText(QStringLiteral("Autumn offer"));
    body()->setPlainText(QStringLiteral("Dear all,\nbuy now."));
    ASSERT_TRUE(dialog->hasUnsavedChanges());

    click("OKButton");
    EXPECT_EQ(contentOf(QStringLiteral("offer.txt")), QByteArray("Autumn offer\r\nDear all,\r\nbuy now."));
    EXPECT_EQ(host.added, QStringList{QStringLiteral("offer.txt")});
    EXPECT_EQ(names()->findText(QStringLiteral("offer.txt")), 0);
    EXPECT_EQ(names()->currentText(), QStringLiteral("offer.txt"));
    EXPECT_FALSE(dialog->hasUnsavedChanges());

    body()->setPlainText(QStringLiteral("Sold out."));
    click("OKButton");
    EXPECT_EQ(contentOf(QStringLiteral("offer.txt")), QByteArray("Autumn offer\r\nSold out."));
    EXPECT_EQ(host.added.size(), 1) << "a name in the list is not added again";
    EXPECT_TRUE(host.boxes.shown.isEmpty());
}

TEST_F(DialogTemplateTest, aRefusedSaveShowsWhyAndWritesNothing)
{
    const struct
    {
        const char *name, *subject, *body, *message;
    } cases[] = {
        {"", "S", "B", "You must give the email template a name."},
        {"offer", " ", "B", "You must specify a subject."},
        {"offer", "S", "", "You must enter some body text."},
        {"../offer", "S", "B", "An email template name may not hold \"/\", \"\\\" or control characters."},
    };
    open();
    for (const auto &c : cases) {
        host.boxes.shown.clear();
        typeName(QLatin1String(c.name));
        subject()->setText(QLatin1String(c.subject));
        body()->setPlainText(QLatin1String(c.body));
        click("OKButton");
        EXPECT_EQ(host.boxes.texts(), QStringList{QLatin1String(c.message)});
        EXPECT_TRUE(dialog->hasUnsavedChanges());
    }
    EXPECT_FALSE(QDir(host.folder).exists());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("offer.txt"))));
    EXPECT_TRUE(host.added.isEmpty());
}

// What an action does after the question about unsaved changes, for each
// answer. The template "a.txt" (subject "A") is open with its subject
// changed to "A2"; for a refused save its body is emptied too.
enum class Action { Close, New, Insert, ChooseAnother };
enum class Reply { Cancel, No, Yes, YesButRefused };

struct QuestionCase
{
    const char *name;
    Action action;
    Reply reply;
    bool stillOpen;
    const char *savedSubject; // in a.txt afterwards
    const char *shownSubject; // in the subject box afterwards
};

void PrintTo(const QuestionCase &c, std::ostream *os)
{
    *os << c.name;
}

class SaveQuestion : public DialogTemplateTest, public ::testing::WithParamInterface<QuestionCase>
{
};

TEST_P(SaveQuestion, cancelKeepsEverythingNoDropsTheChangesYesSavesThemAndARefusedSaveStops)
{
    const QuestionCase &c = GetParam();
    put(QStringLiteral("a.txt"), "A\r\nbody a");
    put(QStringLiteral("b.txt"), "B\r\nbody b");
    host.listed = {QStringLiteral("a.txt"), QStringLiteral("b.txt")};
    host.chosen = QStringLiteral("a.txt");
    open();
    subject()->setText(QStringLiteral("A2"));
    if (c.reply == Reply::YesButRefused)
        body()->clear();
    host.boxes.answers = {c.reply == Reply::Cancel ? Answer::Cancel : c.reply == Reply::No ? Answer::No : Answer::Yes};

    switch (c.action) {
    case Action::Close: click("CancelButton"); break;
    case Action::New: click("Command1"); break;
    case Action::Insert: click("Command4"); break;
    case Action::ChooseAnother: choose(QStringLiteral("b.txt")); break;
    }

    ASSERT_FALSE(host.boxes.shown.isEmpty());
    EXPECT_EQ(host.boxes.shown[0].text, SaveQuestionText);
    EXPECT_EQ(host.boxes.shown[0].buttons, MessageBoxes::Buttons::YesNoCancel);
    if (c.reply == Reply::YesButRefused) {
        EXPECT_EQ(host.boxes.texts().value(1), QStringLiteral("You must enter some body text."));
    }
    EXPECT_EQ(dialog->isVisible(), c.stillOpen);
    EXPECT_EQ(subjectIn(QStringLiteral("a.txt")), QLatin1String(c.savedSubject));
    EXPECT_EQ(subject()->text(), QLatin1String(c.shownSubject));
    if (c.action == Action::ChooseAnother && std::string(c.shownSubject) == "A2") {
        EXPECT_EQ(names()->currentText(), QStringLiteral("a.txt")) << "the name stays with its changes";
    }
    if (c.action == Action::Insert) {
        EXPECT_EQ(host.form.subject, QStringLiteral("A2")) << "the form is filled before the question";
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestion, ::testing::Values(
    QuestionCase{"closeCancel", Action::Close, Reply::Cancel, true, "A", "A2"},
    QuestionCase{"closeNo", Action::Close, Reply::No, false, "A", "A2"},
    QuestionCase{"closeYes", Action::Close, Reply::Yes, false, "A2", "A2"},
    QuestionCase{"closeYesRefused", Action::Close, Reply::YesButRefused, true, "A", "A2"},
    QuestionCase{"newCancel", Action::New, Reply::Cancel, true, "A", "A2"},
    QuestionCase{"newNo", Action::New, Reply::No, true, "A", ""},
    QuestionCase{"newYes", Action::New, Reply::Yes, true, "A2", ""},
    QuestionCase{"newYesRefused", Action::New, Reply::YesButRefused, true, "A", "A2"},
    QuestionCase{"insertCancel", Action::Insert, Reply::Cancel, true, "A", "A2"},
    QuestionCase{"insertNo", Action::Insert, Reply::No, false, "A", "A2"},
    QuestionCase{"insertYes", Action::Insert, Reply::Yes, false, "A2", "A2"},
    QuestionCase{"insertYesRefused", Action::Insert, Reply::YesButRefused, true, "A", "A2"},
    QuestionCase{"chooseCancel", Action::ChooseAnother, Reply::Cancel, true, "A", "A2"},
    QuestionCase{"chooseNo", Action::ChooseAnother, Reply::No, true, "A", "B"},
    QuestionCase{"chooseYes", Action::ChooseAnother, Reply::Yes, true, "A2", "B"},
    QuestionCase{"chooseYesRefused", Action::ChooseAnother, Reply::YesButRefused, true, "A", "A2"}),
    [](const ::testing::TestParamInfo<QuestionCase> &info) { return std::string(info.param.name); });

TEST_F(DialogTemplateTest, anInsertionWaitEndedByClosingTheDialogKeepsItOpenAndWritesNothing)
{
    open();
    subject()->setText(QStringLiteral("S"));
    body()->setPlainText(QStringLiteral("a\nb"));
    host.formThere = false;
    // Escape or the title bar's close button, while the form is awaited.
    QTimer::singleShot(0, [&] { dialog->reject(); });
    click("Command4");
    EXPECT_EQ(host.cancels, 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(host.boxes.shown.isEmpty()) << "no question for an insertion that did not happen";
    EXPECT_EQ(host.form, TemplateText());

    host.formThere = true;
    host.boxes.answers = {Answer::No};
    click("Command4");
    EXPECT_EQ(host.form, (TemplateText{QStringLiteral("S"), QStringLiteral("a\r\nb")}));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DialogTemplateTest, theAddressPaletteIsClosedWhileTheDialogIsOpen)
{
    host.paletteOpen = true;
    open();
    EXPECT_FALSE(host.paletteOpen);
    click("CancelButton");
    EXPECT_TRUE(host.paletteOpen);
    EXPECT_EQ(host.paletteShows, 1);

    open();
    click("CancelButton");
    EXPECT_EQ(host.paletteShows, 2) << "shown again only when it was open";
}

} // namespace

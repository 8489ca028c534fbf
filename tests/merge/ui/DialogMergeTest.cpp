// The mail merge dialog on the offscreen platform, against a fake compose
// pane and site: its texts and place, the log, the buttons after a
// failure, closing after Test, Resume and the results, the pace kept.
// (Test, Stop and Close during a run: MailMergeEndToEndTest.)
#include "FakeMergeHost.h"
#include "merge/ui/DialogMerge.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "NamedChild.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class DialogMergeTest : public ::testing::Test
{
protected:
    FakeMergeHost host;
    QPointer<DialogMerge> dialog = new DialogMerge(host.runHost(), host, host);

    void SetUp() override
    {
        host.site.addRow(QStringLiteral("Ann"), QStringLiteral("ann@example.com"));
        host.site.addRow(QStringLiteral("Bob"), QString());
        host.site.addRow(QStringLiteral("Cy"), QStringLiteral("cy@example.com"));
        dialog->show();
    }
    void TearDown() override { delete dialog; }

    template<typename W = QWidget>
    W *control(const char *name) { return namedChild<W>(*dialog, name); }
    void click(const char *name) { control<QPushButton>(name)->click(); }
    // Test, Stop Test, Start, Stop.
    QList<bool> buttons()
    {
        QList<bool> enabled;
        for (const char *name : {"CommandTest", "CommandUndoTest", "CommandStart", "CommandStop"})
            enabled << control(name)->isEnabled();
        return enabled;
    }
    QString text(const char *name)
    {
        if (auto *label = dialog->findChild<QLabel *>(QLatin1String(name)))
            return label->text();
        if (auto *button = dialog->findChild<QAbstractButton *>(QLatin1String(name)))
            return button->text();
        if (auto *frame = dialog->findChild<QGroupBox *>(QLatin1String(name)))
            return frame->title();
        return QStringLiteral("<none>");
    }
};

const QList<bool> Idle{true, false, true, false};

TEST_F(DialogMergeTest, opensAboveOtherWindowsWithoutBlockingInItsPlaceWithItsTextsWhole)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Mail Merge"));
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(buttons(), Idle);
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
    EXPECT_TRUE(control("TextSent")->isHidden());
    EXPECT_TRUE(control("CommandHide")->isHidden());
    // 3585 by 7920 twips, 400 twips from the top of the screen.
    const double dpiX = dialog->screen()->logicalDotsPerInchX();
    const double dpiY = dialog->screen()->logicalDotsPerInchY();
    // No smaller, and larger only as far as its texts need.
    EXPECT_NEAR(dialog->pos().y() - dialog->screen()->availableGeometry().top(), 400 * dpiY / 1440, 1);
    EXPECT_NEAR(dialog->width(), std::max(3585 * dpiX / 1440, double(dialog->minimumSizeHint().width())), 1);
    EXPECT_GE(dialog->height(), int(7920 * dpiY / 1440));
    for (const char *name : {"Label1", "Label3", "Label4"}) {
        const QLabel *label = control<QLabel>(name);
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name << " is cut";
    }

    click("Command5");
    EXPECT_EQ(host.mergeHelps, 1);
}

TEST_F(DialogMergeTest, startCountsAndLogsEachAddressSentAndEndsIdle)
{
    click("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }));

    EXPECT_EQ(host.site.sent.size(), 2);
    EXPECT_EQ(text("LabelNumSent"), QStringLiteral("Emails Sent: 2"));
    EXPECT_EQ(control<QPlainTextEdit>("TextSent")->toPlainText(),
              QStringLiteral("ann@example.com: sent\nRow 2: skipped: no address\ncy@example.com: sent"));
    EXPECT_EQ(text("LabelSummary"), QStringLiteral("2 messages sent, 1 row skipped: no address."));
    EXPECT_FALSE(control("TextSent")->isHidden());
    EXPECT_EQ(text("FrameTest"), QStringLiteral("Emails have been sent to:"));
    EXPECT_EQ(buttons(), Idle);

    click("CommandHide");
    EXPECT_TRUE(control("TextSent")->isHidden());
    EXPECT_TRUE(control("CommandHide")->isHidden());
    EXPECT_EQ(text("FrameTest"), QString());
    click("Command1");
    EXPECT_FALSE(control("TextSent")->isHidden());
    EXPECT_EQ(text("FrameTest"), QStringLiteral("Emails have been sent to:"));

    // A second run starts a new log.
    host.site.addresses.rows.removeFirst();
    click("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }));
    EXPECT_EQ(control<QPlainTextEdit>("TextSent")->toPlainText(),
              QStringLiteral("Row 1: skipped: no address\ncy@example.com: sent"));
    EXPECT_EQ(text("LabelNumSent"), QStringLiteral("Emails Sent: 1"));
}

TEST_F(DialogMergeTest, afterAFailureStopIsLeftOnAndRestoresTheMessage)
{
    // The site's page never finishes loading after the first submit.
    DialogMerge *quick = new DialogMerge(host.runHost(), host, host, nullptr, MergeWaitLimits{50, 2});
    delete dialog;
    dialog = quick;
    dialog->show();
    host.site.afterSubmit = [this] { host.site.busy = true; };

    click("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }));
    EXPECT_EQ(host.boxes.shown.size(), 2) << "the question before sending, then the run's error";
    EXPECT_FALSE(host.merging);
    EXPECT_EQ(buttons(), (QList<bool>{false, false, false, true}));

    host.site.busy = false;
    click("CommandStop");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }));
    EXPECT_EQ(buttons(), Idle);
    EXPECT_EQ(host.site.composeValue("Subj"), QStringLiteral("Hello <<First>>"));
    EXPECT_EQ(host.site.sent.size(), 1);
}


// Closing the dialog while the form shows the test's message, by its
// button, by the window or by Escape, puts the user's message back first.
class DialogMergeCloseTest : public DialogMergeTest, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(DialogMergeCloseTest, afterTestPutsTheUsersMessageBackFirst)
{
    click("CommandTest");
    ASSERT_EQ(host.site.composeValue("Subj"), QStringLiteral("Hello Ann"));
    const QString how = QLatin1String(GetParam());
    if (how == QLatin1String("button"))
        click("CancelButton");
    else if (how == QLatin1String("window"))
        dialog->close();
    else
        dialog->reject();
    ASSERT_TRUE(waitFor([&] { return !dialog || !dialog->isRunning(); }));

    EXPECT_EQ(host.site.composeValue("Subj"), QStringLiteral("Hello <<First>>"));
    EXPECT_EQ(host.site.composeValue("To"), QString());
    EXPECT_TRUE(host.site.sent.isEmpty());
    EXPECT_FALSE(host.merging);
}

INSTANTIATE_TEST_SUITE_P(Ways, DialogMergeCloseTest, ::testing::Values("button", "window", "escape"));

TEST_F(DialogMergeTest, offersResumeForTheOpenBooksUnfinishedMergeAndSavesItsResults)
{
    QTemporaryDir merges;
    host.merges = merges.path();
    host.settings = {0, 1, false};
    delete dialog;
    dialog = new DialogMerge(host.runHost(), host, host);
    dialog->show();
    EXPECT_TRUE(control("CommandResume")->isHidden());
    EXPECT_EQ(control<QSpinBox>("SpinStopAfter")->value(), 1);

    click("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }));
    ASSERT_EQ(host.site.sent.size(), 1);
    EXPECT_FALSE(control("CommandResume")->isHidden());
    EXPECT_TRUE(control("CommandResume")->isEnabled());
    EXPECT_EQ(text("LabelResume"), QStringLiteral("An unfinished merge of this address book (\"Hello <<First>>\"): 1 of "
                                                  "2 rows done, 1 remain."));

    // Opened afresh, the dialog finds it in the journal.
    control<QSpinBox>("SpinStopAfter")->setValue(0);
    EXPECT_EQ(host.settings.stopAfter, 0);
    delete dialog;
    dialog = new DialogMerge(host.runHost(), host, host);
    dialog->show();
    ASSERT_FALSE(control("CommandResume")->isHidden());
    host.files.saveAnswers << merges.filePath(QStringLiteral("before.csv"));
    click("CommandSaveResults");
    EXPECT_TRUE(fileBytes(merges.filePath(QStringLiteral("before.csv"))).contains("\"Cy\",\"cy@example.com\",\"not sent\""));

    click("CommandResume");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }));
    EXPECT_EQ(host.site.sent.size(), 2);
    EXPECT_EQ(host.site.sent.last().to, QStringLiteral("cy@example.com"));
    EXPECT_TRUE(control("CommandResume")->isHidden());
    host.files.saveAnswers << merges.filePath(QStringLiteral("after.csv"));
    click("CommandSaveResults");
    const QByteArray csv = fileBytes(merges.filePath(QStringLiteral("after.csv")));
    EXPECT_TRUE(csv.contains("\"Ann\",\"ann@example.com\",\"sent (")) << csv.constData();
    EXPECT_TRUE(csv.contains("\"Cy\",\"cy@example.com\",\"sent (")) << csv.constData();
}

} // namespace

// The merge journal: a run cut short (the program gone between two steps)
// resumed without sending anyone the message twice, rows in doubt offered
// and not resent silently, a journal cut anywhere still resumed from what
// it holds, the rows known after the book was sorted, and the results.
#include "merge/MergeJournal.h"
#include "merge/MergeJournalWriter.h"
#include "merge/MergePreflight.h"
#include "merge/MergeResults.h"
#include "merge/MergeRun.h"

#include "FakeMergeSite.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

using Answer = MessageBoxes::Answer;

class MergeJournalTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeMergeSite site;
    qint64 now = 0;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const char *first : {"Ann", "Bob", "Cy", "Di", "Ed"}) {
            const QString name = QLatin1String(first);
            site.addRow(name, name == QLatin1String("Bob") ? QString() : name.toLower() + QStringLiteral("@example.com"));
        }
    }
    std::unique_ptr<MergeRun> newRun()
    {
        auto run = std::make_unique<MergeRun>(site.runHost(), MergeRun::Limits{60000, 1000}, [this] { return now; });
        run->setJournalFolder(dir.path());
        return run;
    }
    QStringList sentTo() const { return site.sentTo(); }
    std::optional<MergeJournalContent> unfinished() { return findUnfinishedMergeJournal(dir.path(), site.addresses.bookPath); }
};

// Where the program went away, and what the user answers about a row in doubt.
struct CutCase
{
    const char *name;
    bool answerCame;     // the last submitted row was answered before the end
    QList<Answer> doubt; // answers to the questions about rows in doubt
    QStringList sentAfterResume;
    const char *cyStatus; // in the results
};

class MergeCutShortTest : public MergeJournalTest, public ::testing::WithParamInterface<CutCase>
{
};

TEST_P(MergeCutShortTest, resumesWithoutSendingAnyoneTwiceUnlessTheUserSaysSo)
{
    // The run goes away while the site holds Cy's message: before its answer
    // came, or after it, while the compose page was on its way.
    site.afterSubmit = [this] {
        if (site.sent.size() == 1)
            site.siteAnswers = GetParam().answerCame;
        if (site.sent.size() == 2)
            site.composeFormComesLate = true;
    };
    {
        auto killed = newRun();
        killed->start(MergeRun::Kind::Send, false);
        ASSERT_TRUE(killed->isRunning());
        killed->advance();
        ASSERT_TRUE(killed->isRunning());
    }
    ASSERT_EQ(sentTo(), (QStringList{QStringLiteral("ann@example.com"), QStringLiteral("cy@example.com")}));

    const auto offered = unfinished();
    ASSERT_TRUE(offered.has_value());
    EXPECT_EQ(offered->header.subject, QStringLiteral("Hello <<First>>"));
    EXPECT_EQ(offered->planned.size(), 4);
    EXPECT_EQ(offered->doneCount(), GetParam().answerCame ? 2 : 1);
    EXPECT_EQ(offered->inDoubt().size(), GetParam().answerCame ? 0 : 1);

    // The program anew: an empty compose form, the book sorted the other way.
    site.composeFormComesLate = false;
    site.siteAnswers = true;
    site.afterSubmit = nullptr;
    site.loadComposePage();
    std::reverse(site.addresses.rows.begin(), site.addresses.rows.end());
    site.boxes.answers = GetParam().doubt;
    site.boxes.answers << Answer::Yes; // the question before sending
    site.boxes.shown.clear();
    const int before = int(site.sent.size());
    auto resumed = newRun();
    resumed->resume(offered->path);

    EXPECT_EQ(sentTo().mid(before), GetParam().sentAfterResume);
    EXPECT_EQ(site.sent.at(before + 1).subject, QStringLiteral("Hello Di")) << "the journal's message, personalised";
    if (!GetParam().answerCame) {
        ASSERT_GE(site.boxes.shown.size(), 2);
        EXPECT_TRUE(site.boxes.shown[0].text.contains(QLatin1String("row 3: cy@example.com")))
            << site.boxes.shown[0].text.toStdString();
        EXPECT_EQ(site.boxes.shown[0].buttons, MessageBoxes::Buttons::YesNoCancel);
    }
    EXPECT_TRUE(site.boxes.shown.last().text.contains(QLatin1String("already done by the unfinished merge")));
    EXPECT_EQ(site.composeValue("Subj"), QString()) << "the form as the user left it";
    EXPECT_FALSE(unfinished().has_value());

    const QByteArray bytes = resumed->resultsCsv();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"First\",\"Email\",\"Merge Status\"\r\n"));
    const QString csv = QString::fromUtf8(bytes);
    EXPECT_TRUE(csv.contains(QLatin1String("\"Cy\",\"cy@example.com\",\"") + QLatin1String(GetParam().cyStatus)))
        << csv.toStdString();
    EXPECT_TRUE(csv.contains(QLatin1String("\"Bob\",\"\",\"skipped: no address")));
    EXPECT_TRUE(csv.contains(QLatin1String("\"Ann\",\"ann@example.com\",\"sent (")));
}

INSTANTIATE_TEST_SUITE_P(
    Moments, MergeCutShortTest,
    ::testing::Values(
        CutCase{"afterTheAnswer", true, {}, {QStringLiteral("ed@example.com"), QStringLiteral("di@example.com")}, "sent ("},
        CutCase{"beforeTheAnswerAndSkipped", false, {Answer::No},
                {QStringLiteral("ed@example.com"), QStringLiteral("di@example.com")},
                "skipped: a message may already have gone out; not sent again ("},
        CutCase{"beforeTheAnswerAndSentAgain", false, {Answer::Yes},
                {QStringLiteral("ed@example.com"), QStringLiteral("di@example.com"), QStringLiteral("cy@example.com")},
                "sent ("},
        CutCase{"beforeTheAnswerDecidedOneByOne", false, {Answer::Cancel, Answer::No},
                {QStringLiteral("ed@example.com"), QStringLiteral("di@example.com")},
                "skipped: a message may already have gone out; not sent again ("}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MergeJournalTest, aJournalCutAnywhereReadsItsWholeLinesAndResumesFromThem)
{
    auto run = newRun();
    run->start(MergeRun::Kind::Send, false);
    ASSERT_FALSE(run->isRunning());
    const QByteArray whole = fileBytes(run->journalPath());
    const qsizetype rowsStart = whole.indexOf('\n', whole.indexOf('\n') + 1) + 1;

    const QString cutPath = dir.filePath(QStringLiteral("cut.journal"));
    for (qsizetype length = rowsStart; length <= whole.size(); ++length) {
        const QByteArray kept = whole.left(length);
        writeFile(cutPath, kept);
        const auto journal = readMergeJournal(cutPath);
        ASSERT_TRUE(journal.ok()) << length;
        const QByteArray whole_lines = kept.left(kept.lastIndexOf('\n') + 1);
        EXPECT_EQ(journal->doneCount(), whole_lines.count("\"state\":\"sent\"")) << length;
        EXPECT_EQ(journal->inDoubt().size(), whole_lines.count("\"state\":\"submitting\"") - journal->doneCount()) << length;
    }

    // Written on after a cut in the middle of a line: the new line counts,
    // the cut one stays one damaged line.
    writeFile(cutPath, whole.left(whole.lastIndexOf("\"state\":\"sent\"")));
    const int doneBefore = readMergeJournal(cutPath)->doneCount();
    MergeJournalWriter writer;
    ASSERT_TRUE(writer.reopen(cutPath).ok());
    MergeRowRecord record;
    record.key = QStringLiteral("ed@example.com#0");
    record.state = MergeRowState::Sent;
    record.time = QDateTime::currentDateTime();
    ASSERT_TRUE(writer.record(record, true).ok());
    writer.close();
    const auto after = readMergeJournal(cutPath);
    EXPECT_EQ(after->doneCount(), doneBefore + 1);
    EXPECT_EQ(after->latest.value(QStringLiteral("ed@example.com#0")).state, MergeRowState::Sent);
}

TEST_F(MergeJournalTest, onlyTheNewestJournalOfTheOpenBookIsOfferedAndAFinishedOneOffersNothing)
{
    site.refusals.insert(QStringLiteral("di@example.com"), QStringLiteral("HTTP 403"));
    newRun()->start(MergeRun::Kind::Send, false);
    const auto refused = unfinished();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->remaining(), QStringList{QStringLiteral("di@example.com#0")});
    EXPECT_TRUE(refused->inDoubt().isEmpty()) << "a refusal is an answer";
    EXPECT_FALSE(findUnfinishedMergeJournal(dir.path(), QStringLiteral("/books/other.csv")).has_value());

    // Starting the same message anew says what it would send twice; declined,
    // it leaves no journal of its own.
    site.boxes.shown.clear();
    site.boxes.answers = {Answer::No};
    newRun()->start(MergeRun::Kind::Send, false);
    ASSERT_EQ(site.boxes.shown.size(), 1);
    EXPECT_TRUE(site.boxes.shown[0].text.startsWith(
        QLatin1String("An unfinished merge of this message has already sent it to 3 of these addresses")));
    EXPECT_EQ(unfinished()->path, refused->path);

    site.refusals.clear();
    now += 1000;
    site.boxes.answers = {Answer::Yes};
    newRun()->resume(refused->path);
    EXPECT_EQ(site.sent.last().to, QStringLiteral("di@example.com"));
    EXPECT_FALSE(unfinished().has_value());
}

// Rows are known by address and occurrence, whatever the case, blanks or order.
TEST(MergeRowKeysTest, knowARowByItsAddressAndHowManyRowsBeforeItShareIt)
{
    MergeAddresses book;
    book.emailColumn = 0;
    for (const char *address : {"Ann@Example.com", "", " ann@example.com ", "bo@example.com"})
        book.rows.append({QLatin1String(address)});
    EXPECT_EQ(mergeRowKeys(book), (QStringList{QStringLiteral("ann@example.com#0"), QString(),
                                               QStringLiteral("ann@example.com#1"), QStringLiteral("bo@example.com#0")}));
}

struct PreflightCase
{
    const char *name;
    MergePlan plan;
    MergeSettings settings;
    const char *starts;
};

class MergePreflightTest : public ::testing::TestWithParam<PreflightCase>
{
};

TEST_P(MergePreflightTest, saysWhatTheRunWillDo)
{
    const QString text = mergePreflightText(GetParam().plan, GetParam().settings);
    EXPECT_TRUE(text.startsWith(QLatin1String(GetParam().starts))) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Plans, MergePreflightTest,
    ::testing::Values(
        PreflightCase{"pace", {30, 0, 0, 0, {}, {}, {}}, {10, 0, false},
                      "30 messages will be sent, one to each address.\nWith a pause of 10 s between messages the run "
                      "takes at least 4 min 50 s.\n"},
        PreflightCase{"resumed", {1, 0, 12, 2, {}, {}, {}}, {0, 0, false},
                      "1 message will be sent, one to each address.\n12 rows already done by the unfinished merge are "
                      "not sent again.\n2 rows are skipped: a message may already have gone out.\n"},
        PreflightCase{"limit", {500, 3, 0, 0, {}, {}, {}}, {0, 200, false},
                      "200 messages will be sent, one to each address.\nThe run stops after 200 messages; the other 300 "
                      "can be sent later with Resume.\n3 rows are skipped: no address.\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MergeResultsTest, quoteEveryFieldDoubleInnerQuotesAndLeaveTheUnnamedEndColumnOut)
{
    MergeAddresses book;
    book.columnNames = {QStringLiteral("Name"), QStringLiteral("Email"), QString()};
    book.emailColumn = 1;
    book.rows = {{QStringLiteral("Ann \"A\", Lee"), QStringLiteral("ann@example.com"), QString()}};
    MergeRowRecord failed;
    failed.key = QStringLiteral("ann@example.com#0");
    failed.state = MergeRowState::Failed;
    failed.reason = QStringLiteral("the site showed the compose form again");
    failed.time = QDateTime(QDate(2024, 5, 1), QTime(10, 22, 3));
    const QByteArray csv = mergeResultsCsv(book, mergeRowKeys(book), {{failed.key, failed}});
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF\"Name\",\"Email\",\"Merge Status\"\r\n"
                              "\"Ann \"\"A\"\", Lee\",\"ann@example.com\",\"failed: the site showed the compose form "
                              "again (2024-05-01 10:22:03)\"\r\n"));
}

} // namespace

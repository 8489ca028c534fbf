#include "store/FolderListing.h"
#include "store/ListedMessageOrder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

#include "TestFiles.h"

using namespace ferrowen;

namespace {

QStringList column(const std::vector<ListedMessage> &rows, int column)
{
    QStringList texts;
    for (const ListedMessage &row : rows)
        texts << row.columnText(column);
    return texts;
}

// Leftovers of killed writers beside a message are no messages: an old one
// is removed, a young one may be another writer's file at work and stays.
TEST(FolderListing, listsEveryFourPartNameInNameOrderWithoutOpeningAFileNorLeftovers)
{
    QTemporaryDir dir;
    for (const char *name : {"zed&&s&&1#1#2020&&t.htm", "Bob&&s&&1#1#2020&&t.htm", "alice&&s&&1#1#2020&&t.txt",
                             ".hidden&&s&&d&&t.htm", "three&&parts&&only.htm", "notes.txt",
                             "zed&&s&&1#1#2020&&t.htm.dEdTsI", "new&&s&&d&&t.htm.Ab12cD", "kept&&s&&d&&t.txt.Ab12cD"})
        ferrowen::testing::writeFile(dir.filePath(QString::fromUtf8(name)));
    const QString old = dir.filePath(QStringLiteral("zed&&s&&1#1#2020&&t.htm.dEdTsI"));
    QFile oldFile(old);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(oldFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    oldFile.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub&&folder&&is&&no message")));

    EXPECT_EQ(column(listFolderMessages(dir.path()), ListedMessage::First),
              QStringList({QStringLiteral(".hidden"), QStringLiteral("alice"), QStringLiteral("Bob"),
                           QStringLiteral("kept"), QStringLiteral("zed")}));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("new&&s&&d&&t.htm.Ab12cD"))));
    EXPECT_TRUE(listFolderMessages(dir.filePath(QStringLiteral("missing"))).empty());
}

TEST(FolderListing, aStoppedReadingListsNothing)
{
    QTemporaryDir dir;
    for (int i = 0; i < 5000; ++i)
        ferrowen::testing::writeFile(dir.filePath(QStringLiteral("a%1&&s&&d&&t.htm").arg(i)));
    qsizetype seen = 0;
    EXPECT_TRUE(listFolderMessages(dir.path(), [&seen](qsizetype n) {
                    seen = n;
                    return false;
                }).empty());
    EXPECT_GT(seen, 0);
    EXPECT_EQ(listFolderMessages(dir.path(), [](qsizetype) { return true; }).size(), 5000u);
}

TEST(FolderListing, changesSinceAListingAreTheFilesGoneAndTheRowsOfTheNewOnes)
{
    QTemporaryDir dir;
    for (const char *name : {"kept&&s&&d&&t.htm", "new&&s&&d&&t.htm", "notes.txt", "three&&parts&&only.htm"})
        ferrowen::testing::writeFile(dir.filePath(QString::fromUtf8(name)));
    const QStringList listed = {QStringLiteral("kept&&s&&d&&t.htm"), QStringLiteral("gone&&s&&d&&t.htm")};

    const FolderChanges changes = folderChanges(dir.path(), listed);
    EXPECT_EQ(changes.gone, QSet<QString>({QStringLiteral("gone&&s&&d&&t.htm")}));
    EXPECT_EQ(column(changes.came, ListedMessage::First), QStringList({QStringLiteral("new")}));
    // A folder no longer there has lost every file; a stopped reading
    // changes nothing.
    EXPECT_EQ(folderChanges(dir.filePath(QStringLiteral("missing")), listed).gone.size(), 2);
    EXPECT_TRUE(folderChanges(dir.path(), listed, [](qsizetype) { return false; }).isEmpty());
}

TEST(FolderListing, foldersInNameOrderWithoutRegardToCase)
{
    QTemporaryDir dir;
    for (const char *folder : {"sent", "Work", "Saved", "archive"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromUtf8(folder)));
    ferrowen::testing::writeFile(dir.filePath(QStringLiteral("a file")));
    EXPECT_EQ(savedMessageFolders(dir.path()),
              QStringList({QStringLiteral("archive"), QStringLiteral("Saved"), QStringLiteral("sent"), QStringLiteral("Work")}));
}

struct ClickCase
{
    ListSortOrder last;
    int clicked;
    ListSortOrder next;
};

class SortClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SortClickTest, anotherColumnSortsUpTheSameOneTurnsRound)
{
    EXPECT_EQ(nextSortOrder(GetParam().last, GetParam().clicked), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Clicks, SortClickTest, ::testing::Values(
    ClickCase{{0, true}, 4, {4, true}},
    ClickCase{{4, true}, 4, {4, false}},
    ClickCase{{4, false}, 4, {4, true}},
    ClickCase{{4, false}, 2, {2, true}}));

std::vector<ListedMessage> rowsOf(std::initializer_list<const char *> names)
{
    std::vector<ListedMessage> rows;
    for (const char *name : names)
        rows.push_back(*ListedMessage::fromFileName(QString::fromUtf8(name)));
    return rows;
}

struct SortCase
{
    ListSortOrder order;
    const char *firstColumn; // the rows' first column after sorting, joined by " "
    // The same rows put in one by one where listedBefore places them, when
    // that differs (no column chosen: by file name, as a folder lists).
    const char *inserted = nullptr;
};

class SortRowsTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortRowsTest, sortsByTheKeyOfTheClickedColumn)
{
    std::vector<ListedMessage> rows = rowsOf({
        "b2026&&Zebra&&12#5#2026 7^50^16 PM&&x.htm",
        "c1970&&apple&&Thu, 1 Jan 1970 00^00^01 +0000&&y.htm",
        "aUnknown&&Mango&&sometime&&z.htm",
        "d2026&&banana&&2026-12-05 08^00^00&&x.htm",
        "e1999&&Cherry&&3#4#1999 1^00^00 AM&&y.htm",
    });
    std::vector<ListedMessage> oneByOne;
    for (const ListedMessage &row : rows) {
        oneByOne.insert(std::upper_bound(oneByOne.begin(), oneByOne.end(), row,
                                         [](const ListedMessage &a, const ListedMessage &b) {
                                             return listedBefore(a, b, GetParam().order);
                                         }),
                        row);
    }
    sortListedMessages(rows, GetParam().order);
    EXPECT_EQ(column(rows, ListedMessage::First).join(u' '), QString::fromUtf8(GetParam().firstColumn));
    EXPECT_EQ(column(oneByOne, ListedMessage::First).join(u' '),
              QString::fromUtf8(GetParam().inserted ? GetParam().inserted : GetParam().firstColumn));
}

INSTANTIATE_TEST_SUITE_P(Orders, SortRowsTest, ::testing::Values(
    // Equal dates keep their order, in both directions.
    SortCase{{ListedMessage::Date, true}, "c1970 e1999 b2026 d2026 aUnknown"},
    SortCase{{ListedMessage::Date, false}, "aUnknown b2026 d2026 e1999 c1970"},
    SortCase{{ListedMessage::DateKey, true}, "c1970 e1999 b2026 d2026 aUnknown"},
    SortCase{{ListedMessage::Subject, true}, "c1970 d2026 e1999 aUnknown b2026"},
    SortCase{{ListedMessage::Subject, false}, "b2026 aUnknown e1999 d2026 c1970"},
    SortCase{{ListedMessage::First, true}, "aUnknown b2026 c1970 d2026 e1999"},
    SortCase{{0, true}, "b2026 c1970 aUnknown d2026 e1999", "aUnknown b2026 c1970 d2026 e1999"}));

} // namespace

#include "addressbook/AddressBookNames.h"
#include "addressbook/AddressFind.h"
#include "addressbook/AddressTable.h"
#include "addressbook/CellEditRule.h"
#include "addressbook/SortMarker.h"

#include <gtest/gtest.h>

#include "AddressTableDump.h"

using namespace ferrowen;
using ferrowen::testing::dump;
using ferrowen::testing::lines;

namespace {

AddressTable tableOf(std::initializer_list<const char *> rows)
{
    AddressTable table(QStringList{QStringLiteral("First"), QStringLiteral("Last"), QStringLiteral("Email"), QString()});
    for (const char *row : rows)
        table.appendJoinedRow(QString::fromUtf8(row));
    return table;
}

TEST(SortMarker, twoClicksSortUpThenDownAndAnotherColumnTakesTheMarker)
{
    SortMarker marker;
    const QString email = QStringLiteral("Email");
    const QString first = QStringLiteral("First");
    EXPECT_EQ(marker.headerText(0, first), first); // not drawn before the first sort

    EXPECT_EQ(marker.click(2), SortDirection::Ascending);
    EXPECT_EQ(marker.headerText(2, email), QStringLiteral("^ Email"));
    EXPECT_EQ(marker.click(2), SortDirection::Descending);
    EXPECT_EQ(marker.headerText(2, email), QStringLiteral("v Email"));
    EXPECT_EQ(int(marker.sortDirection()), 6);
    EXPECT_EQ(marker.click(2), SortDirection::Ascending);

    EXPECT_EQ(marker.click(0), SortDirection::Ascending);
    EXPECT_EQ(marker.headerText(2, email), email);
    EXPECT_EQ(marker.headerText(0, first), QStringLiteral("^ First"));
    EXPECT_EQ(marker.column(), 0);
    EXPECT_EQ(int(marker.sortDirection()), 5);

    // Another book: column 0 unmarked, and the kept direction makes the
    // first click there sort downwards.
    marker.click(1);
    marker.resetForNewBook();
    EXPECT_EQ(marker.headerText(1, QStringLiteral("Last")), QStringLiteral("Last"));
    EXPECT_EQ(marker.click(0), SortDirection::Descending);
}

TEST(AddressTable, sortsIgnoringCaseAndKeepsTiesInOrder)
{
    AddressTable table = tableOf({"b\t1", "A\t2", "a\t3", "C\t4", "\t5"});
    table.sortRows(0, false);
    EXPECT_EQ(dump(table), lines({"First|Last|Email|", "|5||", "A|2||", "a|3||", "b|1||", "C|4||"}));
    table.sortRows(0, true);
    EXPECT_EQ(dump(table), lines({"First|Last|Email|", "C|4||", "b|1||", "A|2||", "a|3||", "|5||"}));
}

TEST(AddressTable, removesARangeAndTheLastRow)
{
    AddressTable table = tableOf({"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "r10"});
    table.removeRows(2, 3); // rows 3 to 5 of the grid
    ASSERT_EQ(table.rowCount(), 7);
    QStringList left;
    for (int row = 0; row < table.rowCount(); ++row)
        left << table.cell(row, 0);
    EXPECT_EQ(left.join(u' '), QStringLiteral("r1 r2 r6 r7 r8 r9 r10"));
    table.removeRows(6, 1);
    EXPECT_EQ(table.rowCount(), 6);
    EXPECT_EQ(table.cell(5, 0), QStringLiteral("r9"));
    table.removeRows(0, 100);
    EXPECT_EQ(table.rowCount(), 0);
}

TEST(AddressTable, cellsOfShortRowsAreEmptyAndFillOnWriting)
{
    AddressTable table = tableOf({"Ann", ""});
    EXPECT_EQ(table.cell(0, 2), QString());
    table.setCell(1, 2, QStringLiteral("x\ty"));
    table.setCell(0, 9, QStringLiteral("no such column"));
    // A merge copies the rows as they are: short rows stay short.
    EXPECT_EQ(table.rowCells(0), QStringList{QStringLiteral("Ann")});
    EXPECT_EQ(table.rowCells(1), (QStringList{QString(), QString(), QStringLiteral("x y")}));
    table.moveColumn(2, 0);
    EXPECT_EQ(dump(table), lines({"Email|First|Last|", "|Ann||", "x y|||"}));
}

TEST(FindAddressRow, firstRowWhoseCellBeginsWithTheTextIgnoringCase)
{
    const AddressTable table = tableOf({"Ann\tLee\tann@x.org", "Bob\tSmart\tbob@x.org", "Cy\tsmith\tcy@x.org",
                                        "Di\tSmall\tdi@x.org"});
    const struct
    {
        int column;
        const char *text;
        std::optional<int> row;
    } cases[] = {
        {1, "sm", 1}, {1, "SMI", 2}, {1, "smal", 3}, {2, "cy@", 2}, {1, "", std::nullopt},
        {1, "x", std::nullopt}, {0, "lee", std::nullopt}, {7, "a", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(findAddressRow(table, c.column, QString::fromUtf8(c.text)), c.row) << c.column << " " << c.text;
}

TEST(CellTextAfterEdit, cutsWhatWasInsertedAtItsFirstLineBreakOrTab)
{
    const struct
    {
        const char *before;
        const char *edited;
        const char *expected;
    } cases[] = {
        {"", "abc", "abc"},
        {"abc", "abc\t", "abc"},
        {"", "first\r\nsecond", "first"},
        {"", "first\nsecond", "first"},
        {"ab", "aX\rYb", "aXb"},
        // A cell from an imported book keeps its own line breaks.
        {"one\r\ntwo", "one\r\ntwo!", "one\r\ntwo!"},
        {"one\r\ntwo", "One\r\ntwo", "One\r\ntwo"},
        {"abc", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cellTextAfterEdit(QString::fromUtf8(c.before), QString::fromUtf8(c.edited)), QString::fromUtf8(c.expected))
            << c.edited;
}

TEST(NewAddressBookPath, staysInTheFolderAndEndsWithCsv)
{
    const QString folder = QStringLiteral("/home/u/Ferrowen/addrbooks/");
    // Room must stay for the temporary file that replaces the book.
    const std::string longest(244, 'x');
    const std::string longestPath = folder.toStdString() + longest + ".csv";
    const std::string tooLong(245, 'x');
    const struct
    {
        const char *typed;
        const char *path; // nullptr: refused
    } cases[] = {
        {longest.c_str(), longestPath.c_str()},
        {tooLong.c_str(), nullptr},
        {"friends", "/home/u/Ferrowen/addrbooks/friends.csv"},
        {"  friends  ", "/home/u/Ferrowen/addrbooks/friends.csv"},
        {"Work.CSV", "/home/u/Ferrowen/addrbooks/Work.CSV"},
        {"name.txt", "/home/u/Ferrowen/addrbooks/name.txt.csv"},
        {"Zoë's list", "/home/u/Ferrowen/addrbooks/Zoë's list.csv"},
        {"../outside", nullptr},
        {"v1..v2", "/home/u/Ferrowen/addrbooks/v1..v2.csv"},
        {"a/b", nullptr},
        {"a\\b", nullptr},
        {"..", nullptr},
        {"   ", nullptr},
        {"tab\there", nullptr},
    };
    for (const auto &c : cases) {
        const StatusOr<QString> path = newAddressBookPath(folder, QString::fromUtf8(c.typed));
        if (c.path)
            EXPECT_EQ(path.ok() ? path.value() : path.error(), QString::fromUtf8(c.path)) << c.typed;
        else
            EXPECT_FALSE(path.ok()) << c.typed;
    }
    EXPECT_EQ(addressBookLabel(QStringLiteral("/x/addrbooks/friends.csv")), QStringLiteral("friends.csv Address Book:  "));
}

} // namespace

#include "addressbook/AddressBookEncoding.h"
#include "addressbook/AddressBookFile.h"
#include "addressbook/AddressBookFormat.h"
#include "addressbook/AddressBookReader.h"
#include "addressbook/AddressBookWriter.h"
#include "addressbook/AddressColumns.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include "AddressTableDump.h"
#include "TestFiles.h"

using namespace ferrowen;
using ferrowen::testing::fileBytes;
using ferrowen::testing::dump;
using ferrowen::testing::lines;

namespace {

QStringList utf8Lines(const std::vector<const char *> &texts)
{
    QStringList result;
    for (const char *text : texts)
        result << QString::fromUtf8(text);
    return result;
}

struct ReadCase
{
    const char *name;
    AddressBookFormat format;
    const char *text;
    std::vector<const char *> expected; // header, then rows; cells joined by "|"
};

class ReadAddressBookTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadAddressBookTest, buildsTheTable)
{
    const ReadCase &c = GetParam();
    EXPECT_EQ(dump(readAddressBookText(QString::fromUtf8(c.text), c.format)), utf8Lines(c.expected)) << c.name;
}

constexpr auto Csv = AddressBookFormat::CommaSeparated;
constexpr auto Tsv = AddressBookFormat::TabDelimited;

INSTANTIATE_TEST_SUITE_P(Cases, ReadAddressBookTest, ::testing::Values(
    // As this program writes them: the empty last header field is the end column.
    ReadCase{"programHeader", Csv, "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n",
             {"First Name|Last Name|Email|"}},
    ReadCase{"programRows", Csv, "\"A\",\"B\",\"\"\r\n\"1\",\"2\",\"\"\r\n\"3\",\"4\",\"x\"\r\n",
             {"A|B|", "1|2|", "3|4|x"}},
    ReadCase{"quotedComma", Csv, "A,B,C,\r\nx,\"y,z\",w,\r\n", {"A|B|C|", "x|y,z|w|"}},
    ReadCase{"tabBecomesSpace", Csv, "A,B,\r\nx\ty,z,\r\n", {"A|B|", "x y|z|"}},
    ReadCase{"doubledQuoteIsOneQuote", Csv, "\"A\",\"\"\r\n\"a\"\"b,c\",\"\"\r\n", {"A|", "a\"b,c|"}},
    ReadCase{"quoteInsideUnquotedField", Csv, "A,B\r\nBob \"B\" Lee,x\r\n", {"A|B|", "Bob \"B\" Lee|x|"}},
    ReadCase{"textAfterClosingQuote", Csv, "A,B\r\n\"ab\"cd,e\r\n", {"A|B|", "abcd|e|"}},
    ReadCase{"quotedLineBreakStaysInItsCell", Csv, "Notes,Email\r\n\"one\r\ntwo\",a@b.c\r\nx,y\r\n",
             {"Notes|Email|", "one\r\ntwo|a@b.c|", "x|y|"}},
    ReadCase{"strayQuoteAtTheEndReadsByLine", Csv, "A,B\r\nx,\"y\r\nz,w\r\n", {"A|B|", "x|y|", "z|w|"}},
    ReadCase{"anyLineEnd", Csv, "A,B\nx,y\ru,v\r\n", {"A|B|", "x|y|", "u|v|"}},
    ReadCase{"emptyLinesAreEmptyRows", Csv, "A,B,\r\n\r\nx,y,\r\n", {"A|B|", "||", "x|y|"}},
    ReadCase{"lastLineWithoutLineEnd", Csv, "A,\r\nx,", {"A|", "x|"}},
    // From elsewhere: every column stays visible, the end column is new.
    ReadCase{"foreignLastColumnVisible", Csv, "Name,Email\r\nBob,bob@x.org\r\n", {"Name|Email|", "Bob|bob@x.org|"}},
    ReadCase{"longerRowGetsUnnamedColumns", Csv, "Name,Email\r\nBob,bob@x.org,extra\r\n",
             {"Name|Email||", "Bob|bob@x.org|extra|"}},
    ReadCase{"emptyFile", Csv, "", {""}},
    ReadCase{"tabDelimitedKeepsQuotes", Tsv, "First\tEmail\t\r\n\"Ann\"\ta@b.c\t\r\n", {"First|Email|", "\"Ann\"|a@b.c|"}},
    ReadCase{"tabDelimitedCommasAreText", Tsv, "A\tB\t\r\nx,y\tz\t\r\n", {"A|B|", "x,y|z|"}},
    ReadCase{"tabDelimitedForeign", Tsv, "Name\tEmail\nBob\tb@x.org\n", {"Name|Email|", "Bob|b@x.org|"}}),
    [](const auto &info) { return std::string(info.param.name); });

// Files the program wrote before quotes were doubled read exactly as the
// old rule read them: toggle on every quote, drop every quote, split at
// commas outside quotes.
QStringList oldRuleCells(const QString &line)
{
    QString converted;
    bool inQuotes = false;
    for (QChar c : line) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (c == u',' && !inQuotes)
            converted += u'\t';
        else
            converted += c == u'\t' ? QChar(u' ') : c;
    }
    return converted.split(u'\t');
}

TEST(ReadAddressBook, linesWrittenBeforeQuoteDoubling_readAsTheyAlwaysDid)
{
    const char *written[] = {
        "\"Ann\",\"Lee\",\"ann@example.com\",\"\"",
        "\"\",\"\",\"\",\"\"",
        "\"Lee, Ann\",\"12 High St, Leeds\",\"a@b.c\",\"\"",
        "\"Zoë\",\"Müller\",\"z@m.de\",\"\"",
    };
    for (const char *line : written) {
        const QString text = QStringLiteral("\"A\",\"B\",\"C\",\"\"\r\n") + QString::fromUtf8(line) + QStringLiteral("\r\n");
        const AddressTable table = readAddressBookText(text, Csv);
        ASSERT_EQ(table.rowCount(), 1) << line;
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << table.cell(0, column);
        EXPECT_EQ(cells, oldRuleCells(QString::fromUtf8(line))) << line;
    }
}

TEST(AddressBookEncoding, byteOrderMarksAndCodePages)
{
    const std::pair<QByteArray, QString> cases[] = {
        {QByteArray("\xEF\xBB\xBFName"), QStringLiteral("Name")},
        {QByteArray("Zo\xC3\xAB"), QStringLiteral("Zo\u00EB")},
        {QByteArray("Ren\xE9 \x80 \x93x\x94 \x81"), QStringLiteral("Ren\u00E9 \u20AC \u201Cx\u201D \u0081")},
        {QByteArray("\xFF\xFEN\0a", 6), QStringLiteral("Na")},
        {QByteArray("\xFE\xFF\0N\0a", 6), QStringLiteral("Na")},
        {QByteArray(), QString()},
    };
    for (const auto &[bytes, text] : cases)
        EXPECT_EQ(decodeAddressBookBytes(bytes), text) << bytes.toHex().toStdString();
}

struct WriteCase
{
    const char *name;
    AddressBookFormat format;
    std::vector<const char *> names;
    std::vector<const char *> rows; // cells joined by TABs
    const char *expected;
};

class WriteAddressBookTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteAddressBookTest, writesEveryFieldOfEveryColumn)
{
    const WriteCase &c = GetParam();
    AddressTable table(utf8Lines(c.names));
    for (const QString &row : utf8Lines(c.rows))
        table.appendJoinedRow(row);
    EXPECT_EQ(writeAddressBookText(table, c.format), QByteArray(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteAddressBookTest, ::testing::Values(
    WriteCase{"quotedWithEndField", Csv, {"First", "Email", ""}, {"Ann\ta@b.c"},
              "\"First\",\"Email\",\"\"\r\n\"Ann\",\"a@b.c\",\"\"\r\n"},
    WriteCase{"quoteDoubled", Csv, {"A", ""}, {"a\"b,c", "\"\""}, "\"A\",\"\"\r\n\"a\"\"b,c\",\"\"\r\n\"\"\"\"\"\",\"\"\r\n"},
    WriteCase{"shortRowPadded", Csv, {"A", "B", ""}, {""}, "\"A\",\"B\",\"\"\r\n\"\",\"\",\"\"\r\n"},
    WriteCase{"utf8", Csv, {"Zo\u00EB", ""}, {}, "\"Zo\xC3\xAB\",\"\"\r\n"},
    WriteCase{"tabDelimited", Tsv, {"First", "Email", ""}, {"\"Ann\"\ta@b.c\tx"},
              "First\tEmail\t\r\n\"Ann\"\ta@b.c\tx\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AddressBookFormat, followsTheFilesOwnSuffix)
{
    const std::pair<const char *, AddressBookFormat> cases[] = {
        {"/b/friends.csv", Csv},        {"/b/friends.txt", Tsv},     {"/b/FRIENDS.TXT", Tsv},
        {"/b/friends.txt.csv", Csv},    {"/my.txt/friends.csv", Csv}, {"C:\\b\\x.txt", Tsv},
        {"/b/friends", Csv},
    };
    for (const auto &[path, format] : cases)
        EXPECT_EQ(addressBookFormatOf(QLatin1String(path)), format) << path;
}

class AddressBookFileTest : public ::testing::Test
{
protected:
    QString write(const char *name, const QByteArray &bytes)
    {
        return ferrowen::testing::writeFile(dir.filePath(QLatin1String(name)), bytes);
    }

    QTemporaryDir dir;
};

TEST_F(AddressBookFileTest, saveThenReload_givesTheSameGrid)
{
    AddressTable table(QStringList{QStringLiteral("First Name"), QStringLiteral("Email"), QStringLiteral("Notes"), QString()});
    for (const char *row : {"Ann\tann@example.com\tsays \"hi\", often", "\t\t", "Zoë\tz@x.org\tline one\r\nline two",
                            "\"quoted\"\t,\t\"\"\tend text"})
        table.appendJoinedRow(QString::fromUtf8(row));

    for (const char *name : {"book.csv", "book.txt"}) {
        const QString path = dir.filePath(QLatin1String(name));
        AddressTable saved = table;
        if (addressBookFormatOf(path) == Tsv)
            saved.setCell(2, 2, QStringLiteral("one line")); // tab-delimited lines hold no line break
        ASSERT_TRUE(writeAddressBookFile(path, saved).ok()) << name;
        const StatusOr<AddressTable> reloaded = readAddressBookFile(path);
        ASSERT_TRUE(reloaded.ok()) << name;
        EXPECT_EQ(dump(*reloaded), dump(saved)) << name;
        // Saving what was read changes no byte.
        const QByteArray first = fileBytes(path);
        ASSERT_TRUE(writeAddressBookFile(path, *reloaded).ok());
        EXPECT_EQ(fileBytes(path), first) << name;
    }
}

TEST_F(AddressBookFileTest, programWrittenBook_openedAndSavedWithoutEdit_isWrittenBackInFull)
{
    const QString path = write("old.csv", "First Name,Last Name,Email,\r\nAnn,Lee,ann@x.org,\r\n\r\n");
    const StatusOr<AddressTable> table = readAddressBookFile(path);
    ASSERT_TRUE(table.ok());
    ASSERT_TRUE(writeAddressBookFile(path, *table).ok());
    EXPECT_EQ(fileBytes(path), QByteArray("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
                                         "\"Ann\",\"Lee\",\"ann@x.org\",\"\"\r\n"
                                         "\"\",\"\",\"\",\"\"\r\n"));
}

TEST_F(AddressBookFileTest, failures_sayWhy)
{
    const StatusOr<AddressTable> missing = readAddressBookFile(dir.filePath(QStringLiteral("missing.csv")));
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.error().isEmpty());

    // A folder that is really a file: no writer, however privileged, gets past it.
    const QString notAFolder = write("plain", "x");
    const Status failed = writeAddressBookFile(notAFolder + QStringLiteral("/new.csv"),
                                               AddressTable(QStringList{QStringLiteral("A"), QString()}));
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.error().isEmpty());
    EXPECT_EQ(fileBytes(notAFolder), QByteArray("x"));
}

// Exports of other programs load without losing or shifting a field; the
// columns they name are found and moved to the front.
TEST_F(AddressBookFileTest, exportsOfOtherPrograms_loadWithoutLosingOrShiftingAField)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        std::vector<const char *> table;
        AddressColumns columns; // email, first name, last name
    } rows[] = {
        // A contact service: a byte-order mark, UTF-8, no trailing empty
        // header field, quoted commas, doubled quotes and line breaks, and
        // an "E-mail 1 - Type" column before the addresses.
        {"contacts.csv",
         "\xEF\xBB\xBFName,Given Name,Family Name,Notes,E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,Phone 1 - Value\r\n"
         "Ann Lee,Ann,Lee,\"Met at \"\"Open Day\"\", 2019\",* Home,ann@example.com,Mobile,+44 1\r\n"
         "Zoë Müller,Zoë,Müller,\"Two\r\nlines\",Work,zoe@example.de,Work,\"+49 2, ext 3\"\r\n"
         ",,,,,,,\r\n",
         {"Name|Given Name|E-mail 1 - Value|Family Name|Notes|E-mail 1 - Type|Phone 1 - Type|Phone 1 - Value|",
          "Ann Lee|Ann|ann@example.com|Lee|Met at \"Open Day\", 2019|* Home|Mobile|+44 1|",
          "Zoë Müller|Zoë|zoe@example.de|Müller|Two\r\nlines|Work|Work|+49 2, ext 3|", "||||||||"},
         {2, -1, -1}},
        // A desktop mail program: windows-1252 text.
        {"outlook.CSV",
         "\"First Name\",\"Middle Name\",\"Last Name\",\"Company\",\"E-mail Address\",\"Notes\"\r\n"
         "\"Ren\xE9\",\"\",\"Dupr\xE9\",\"Caf\xE9 \x93Le Coin\x94\",\"rene@example.fr\",\"\x80 10\"\r\n",
         {"First Name|Last Name|E-mail Address|Middle Name|Company|Notes|", "René|Dupré|rene@example.fr||Café “Le Coin”|€ 10|"},
         {2, 0, 1}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        StatusOr<AddressTable> read = readAddressBookFile(write(row.name, row.bytes));
        ASSERT_TRUE(read.ok());
        AddressTable table = *read;
        const AddressColumns columns = placeNamedColumns(table);
        EXPECT_EQ(dump(table), utf8Lines(row.table));
        EXPECT_EQ(columns.email, row.columns.email);
        EXPECT_EQ(columns.firstName, row.columns.firstName);
        EXPECT_EQ(columns.lastName, row.columns.lastName);
        EXPECT_TRUE(columns.addressesFound);
    }
}

} // namespace

#include "addressbook/AddressBookReader.h"
#include "addressbook/AddressColumns.h"

#include <gtest/gtest.h>

#include "AddressTableDump.h"

using namespace ferrowen;

namespace {

struct ColumnCase
{
    const char *name;
    const char *text; // comma-separated
    const char *header; // the header after placing, names joined by "|"
    int email;
    int firstName;
    int lastName;
    bool addressesFound;
};

class PlaceNamedColumnsTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(PlaceNamedColumnsTest, findsAndMovesTheNamedColumns)
{
    const ColumnCase &c = GetParam();
    AddressTable table = readAddressBookText(QString::fromUtf8(c.text), AddressBookFormat::CommaSeparated);
    const AddressColumns columns = placeNamedColumns(table);
    EXPECT_EQ(table.columnNames().join(u'|'), QString::fromUtf8(c.header)) << c.name;
    EXPECT_EQ(columns.email, c.email) << c.name;
    EXPECT_EQ(columns.firstName, c.firstName) << c.name;
    EXPECT_EQ(columns.lastName, c.lastName) << c.name;
    EXPECT_EQ(columns.addressesFound, c.addressesFound) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlaceNamedColumnsTest, ::testing::Values(
    ColumnCase{"programLayout", "First Name,Last Name,Email,\r\n", "First Name|Last Name|Email|", 2, 0, 1, true},
    ColumnCase{"emailBeforeNames", "Email,Name,First Name,\r\n", "First Name|Email|Name|", 1, 0, -1, true},
    ColumnCase{"allThreeScattered", "Phone,Last Name,E-Mail,Notes,First Name,\r\n",
               "First Name|Last Name|E-Mail|Phone|Notes|", 2, 0, 1, true},
    ColumnCase{"lastNameFirst", "Last Name,Email,First Name,\r\n", "First Name|Last Name|Email|", 2, 0, 1, true},
    ColumnCase{"firstOfSeveralNamesWins", "Home Email,Work Email,\r\na@b.c,d@e.f,\r\n", "Home Email|Work Email|", 0, -1, -1, true},
    // The first "email" column holds only the kind of address; the later one the addresses.
    ColumnCase{"typeThenValue", "Name,Phone,E-mail 1 - Type,Notes,E-mail 1 - Value\r\nAnn,1,* Home,,ann@x.org\r\nBob,2,Work,,\r\n",
               "Name|Phone|E-mail 1 - Value|E-mail 1 - Type|Notes|", 2, -1, -1, true},
    ColumnCase{"noAddressAnywhereKeepsTheFirst", "Email,Backup Email,\r\nx,y,\r\n", "Email|Backup Email|", 0, -1, -1, true},
    ColumnCase{"foundInTheData", "Name,Phone,Company,Contact,\r\nAnn,1,Acme,\r\nBob,2,Acme,bob@acme.com,\r\n",
               "Name|Phone|Contact|Company|", 2, -1, -1, true},
    ColumnCase{"headerOnlySearchesTheHeader", "Name,ann@x.org,\r\n", "Name|ann@x.org|", 1, -1, -1, true},
    ColumnCase{"noAddressesWarnsAndTakesColumn0", "Name,Phone,\r\nAnn,1,\r\n", "Name|Phone|", 0, -1, -1, false},
    // A foreign file's last column is a column like any other.
    ColumnCase{"foreignLastColumn", "Name,Email\r\nAnn,ann@x.org\r\n", "Name|Email|", 1, -1, -1, true},
    // The end column is never searched, let alone moved.
    ColumnCase{"endColumnIgnored", "Name,Phone,\r\nAnn,1,ann@x.org\r\n", "Name|Phone|", 0, -1, -1, false},
    ColumnCase{"oneHeaderTwoRoles", "Notes,Phone,First Email,\r\n", "First Email|Notes|Phone|", 0, 0, -1, true},
    ColumnCase{"emptyFile", "", "", -1, -1, -1, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PlaceNamedColumns, movesCarryEveryCellWithItsColumn)
{
    AddressTable table = readAddressBookText(QStringLiteral("Phone,Email,Last,First,\r\n1,a@b.c,Lee,Ann,\r\n2\r\n"),
                                             AddressBookFormat::CommaSeparated);
    (void)placeNamedColumns(table);
    EXPECT_EQ(ferrowen::testing::dump(table),
              ferrowen::testing::lines({"First|Last|Email|Phone|", "Ann|Lee|a@b.c|1|", "|||2|"}));
}

} // namespace

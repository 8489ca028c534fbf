#include "addressbook/AddressColumns.h"
#include "addressbook/SenderAddress.h"
#include "webmail/ComposeState.h"
#include "webmail/ProviderProfile.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

// "first|last|address", or "none".
QString shown(const std::optional<SenderAddress> &sender)
{
    if (!sender)
        return QStringLiteral("none");
    return QStringList{sender->firstName, sender->lastName, sender->address}.join(u'|');
}

struct SplitCase
{
    const char *what;
    const char *senderText;
    const char *row; // first|last|address, or none
};

TEST(SplitSender, givesFirstNameLastNameAndAddress)
{
    const SplitCase cases[] = {
        SplitCase{"the middle word is dropped", "John Q Public <jqp>", "John|Public|jqp"},
        SplitCase{"two words", " Ann Example <ann@example.com> ", "Ann|Example|ann@example.com"},
        SplitCase{"one word is the first name", "Cher <cher@example.com>", "Cher||cher@example.com"},
        SplitCase{"more words: all after the second", "Mary  Ann van Dyke <m@example.com>", "Mary|van Dyke|m@example.com"},
        SplitCase{"quotes and blanks leave the name", "\"Lee,\tAnn\" <ann@example.com>", "Lee,Ann||ann@example.com"},
        SplitCase{"only an address", " mum@family.example ", "||mum@family.example"},
        SplitCase{"a bare address loses quotes, tabs and line breaks", "\"mum@family.example\"\t\r\n", "||mum@family.example"},
        SplitCase{"an unclosed bracket is part of the address", "Bo <bo@example.com", "||Bo <bo@example.com"},
        SplitCase{"a name with empty brackets", "Ann Lee <>", "Ann|Lee|"},
        SplitCase{"nothing at all", "  \t ", "none"},
        SplitCase{"a name of quotes only counts as none", "\"\" <>", "none"}};
    for (const SplitCase &c : cases)
        EXPECT_EQ(shown(splitSender(QString::fromUtf8(c.senderText))), QString::fromUtf8(c.row)) << c.what;
}

// Page text with its lines joined by CR LF, as the rendered text comes.
QString page(std::initializer_list<const char *> lines)
{
    QStringList joined;
    for (const char *line : lines)
        joined << QString::fromUtf8(line);
    return joined.join(QStringLiteral("\r\n"));
}

struct PageCase
{
    const char *what;
    const QString &provider;
    int variantBefore;
    QString pageText;
    const char *row; // first|last|address, or none
    int variantAfter;
};

TEST(DisplayedSender, takesTheFromValueWithTheCapturesLabels)
{
    const PageCase cases[] = {
        PageCase{"Yahoo: up to the bar", YahooKey, 0,
                 page({"Inbox", "From: John Q Public <jqp> | Add to Address Book", "To: you@demo.example", "Subject: Hi"}),
                 "John|Public|jqp", 0},
        PageCase{"Yahoo: no bar, no sender", YahooKey, 0, page({"From: John <jqp>", "Subject: Hi"}), "none", 0},
        PageCase{"Yahoo: no label, no sender", YahooKey, 0, page({"Inbox", "Subject: Hi"}), "none", 0},
        PageCase{"Yahoo: a German page is found and kept", YahooKey, 0,
                 page({"Von: Bernd M\u00fcller <b@example.de> | x", "An: you@demo.example", "Betreff: Hallo"}),
                 "Bernd|M\u00fcller|b@example.de", 1},
        PageCase{"Hotmail: up to the To label", HotmailKey, 0,
                 page({"From : Sam Lee <sam@example.com>", "To : you@demo.example", "Subject : Hi"}),
                 "Sam|Lee|sam@example.com", 0},
        PageCase{"Hotmail: a bare address ends before the Reply-To line", HotmailKey, 0,
                 page({"From : mum@family.example", "Reply-To : dad@family.example", "To : you@demo.example", "Subject : Hi"}),
                 "||mum@family.example", 0},
        PageCase{"Hotmail: no To label, no sender", HotmailKey, 0, page({"From : Sam <sam@example.com>", "Subject : Hi"}),
                 "none", 0},
        PageCase{"Hotmail: the Swedish page, from the version used last", HotmailKey, 1,
                 page({"Fr\u00e5n : Sam Lee <sam@example.com>", "Svara till : s@home.example", "Till : you@demo.example",
                       "\u00c4mne : Hej"}),
                 "Sam|Lee|sam@example.com", 7}};
    for (const PageCase &c : cases) {
        ComposeState state;
        state.labelVariant = c.variantBefore;
        const std::optional<QString> text = displayedSenderText(c.pageText, profileForKey(c.provider), state);
        EXPECT_EQ(shown(text ? splitSender(*text) : std::nullopt), QString::fromUtf8(c.row)) << c.what;
        EXPECT_EQ(state.labelVariant, c.variantAfter) << c.what;
    }
}

struct CellsCase
{
    const char *what;
    AddressColumns columns;
    int endColumn;
    const char *cells; // column=text, in the order placed
};

TEST(SenderRowCells, putsTheAddressIntoTheEmailColumnAndNamesBesideIt)
{
    const CellsCase cases[] = {
        CellsCase{"a book the program made", {2, 0, 1}, 5, "2=jqp 0=John 1=Public"},
        CellsCase{"an export: Name, Email", {1, -1, -1}, 2, "1=jqp 0=John"},
        CellsCase{"e-mail only", {0, -1, -1}, 1, "0=jqp"},
        CellsCase{"Last, Email, Notes: no first-name column", {1, -1, 0}, 3, "1=jqp 0=Public"},
        CellsCase{"First, Notes, Email, Phone: no last-name column", {2, 0, -1}, 4, "2=jqp 0=John 1=Public"},
        CellsCase{"no e-mail column known", {-1, 0, 1}, 3, ""}};
    for (const CellsCase &c : cases) {
        QStringList placed;
        for (const SenderCell &cell : senderRowCells({QStringLiteral("John"), QStringLiteral("Public"), QStringLiteral("jqp")},
                                                     c.columns, c.endColumn))
            placed << QStringLiteral("%1=%2").arg(cell.column).arg(cell.text);
        EXPECT_EQ(placed.join(u' '), QString::fromUtf8(c.cells)) << c.what;
    }
}

} // namespace

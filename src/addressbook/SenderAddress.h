#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace ferrowen {

struct AddressColumns;
struct ComposeState;
struct ProviderProfile;

// The sender of a displayed message as a new address row: first name,
// last name and address.
struct SenderAddress
{
    QString firstName;
    QString lastName;
    QString address;
};

// The sender as the message page shows it ("John Q Public <jqp@example.com>"):
// the page text after the provider's from label, in the version of the
// labels the capture would choose (remembered in state.labelVariant), up
// to the "|" after it on Yahoo pages, and on Hotmail pages up to the next
// label: To, or Reply-To when that comes first. Nothing when the label or
// its end is missing.
std::optional<QString> displayedSenderText(const QString &pageText, const ProviderProfile &profile,
                                           ComposeState &state);

// Splits a sender text. "Name <address>" gives the address between the
// brackets and the name before them; anything else is the address alone.
// The name's first word is the first name; of the rest, a middle word is
// dropped ("John Q Public": John, Public) and what follows it is the last
// name. Double quotes, tabs and line breaks are removed from names and from
// a bare address. Nothing when there is neither a name nor an address.
std::optional<SenderAddress> splitSender(const QString &senderText);

// One cell of the new row, by grid column.
struct SenderCell
{
    int column;
    QString text;
};

// Where the sender's cells go in a book whose named columns are `columns`
// (end column `endColumn`): the address into the e-mail column, the names
// into the first-name and last-name columns. A book without such a column
// takes that name in column 0 (first) or 1 (last) while that column is
// neither the e-mail column nor the end column nor taken; otherwise the
// name is left out. Empty while no e-mail column is known.
QList<SenderCell> senderRowCells(const SenderAddress &sender, const AddressColumns &columns, int endColumn);

} // namespace ferrowen

#include "addressbook/SenderAddress.h"

#include "addressbook/AddressColumns.h"
#include "webmail/ComposeState.h"
#include "webmail/MessageHeaders.h"
#include "webmail/ProviderProfile.h"

namespace ferrowen {

namespace {

// Where the sender ends on a Hotmail page: at the To label, or at the
// Reply-To label when that comes first. The English Reply-To label holds
// the To label, and a bare address followed by a Reply-To line would
// otherwise end in "Reply-".
qsizetype nextLabelAfter(const QString &pageText, const MessageHeaderLabels &labels, qsizetype from)
{
    const qsizetype to = pageText.indexOf(labels.to, from);
    const qsizetype replyTo = pageText.indexOf(labels.replyTo, from);
    if (replyTo >= 0 && (to < 0 || replyTo < to))
        return replyTo;
    return to;
}

// Double quotes, tabs and line breaks removed, then the spaces at both ends.
QString cleaned(QString text)
{
    return cleanedHeaderValue(text.remove(QLatin1Char('"')));
}

QString withoutLeadingSpaces(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

} // namespace

std::optional<QString> displayedSenderText(const QString &pageText, const ProviderProfile &profile,
                                           ComposeState &state)
{
    const QList<MessageHeaderLabels> &variants = profile.displayedMessage.headerLabels;
    if (variants.isEmpty())
        return std::nullopt;
    const MessageHeaderLabels &labels = headerLabelsForPage(pageText, variants, state);
    const qsizetype label = pageText.indexOf(labels.from);
    if (label < 0)
        return std::nullopt;
    const qsizetype start = label + labels.from.size();
    const qsizetype end = profile.key == YahooKey ? pageText.indexOf(QLatin1Char('|'), label)
                                                  : nextLabelAfter(pageText, labels, label);
    if (end < start)
        return std::nullopt;
    return pageText.mid(start, end - start);
}

std::optional<SenderAddress> splitSender(const QString &senderText)
{
    SenderAddress sender;
    QString name;
    const qsizetype open = senderText.indexOf(QLatin1Char('<'));
    const qsizetype close = open < 0 ? -1 : senderText.indexOf(QLatin1Char('>'), open + 1);
    if (close >= 0) {
        sender.address = senderText.mid(open + 1, close - open - 1);
        name = cleaned(senderText.left(open));
    } else {
        sender.address = cleaned(senderText);
    }
    if (name.isEmpty())
        return sender.address.isEmpty() ? std::nullopt : std::optional(sender);

    const qsizetype space = name.indexOf(QLatin1Char(' '));
    if (space < 0) {
        sender.firstName = name;
        return sender;
    }
    sender.firstName = name.left(space);
    const QString rest = withoutLeadingSpaces(name.mid(space + 1));
    const qsizetype secondSpace = rest.indexOf(QLatin1Char(' '));
    sender.lastName = secondSpace < 0 ? rest : withoutLeadingSpaces(rest.mid(secondSpace + 1));
    return sender;
}

QList<SenderCell> senderRowCells(const SenderAddress &sender, const AddressColumns &columns, int endColumn)
{
    if (columns.email < 0 || columns.email >= endColumn)
        return {};
    QList<SenderCell> cells{{columns.email, sender.address}};
    const auto place = [&cells, endColumn](int column, const QString &text) {
        if (column < 0 || column >= endColumn)
            return;
        for (const SenderCell &taken : std::as_const(cells)) {
            if (taken.column == column)
                return;
        }
        cells.append({column, text});
    };
    // Named columns first, so that a fallback never takes one of them.
    place(columns.firstName, sender.firstName);
    place(columns.lastName, sender.lastName);
    if (columns.firstName < 0)
        place(0, sender.firstName);
    if (columns.lastName < 0)
        place(1, sender.lastName);
    return cells;
}

} // namespace ferrowen

#include "webmail/MessageHeaders.h"

namespace ferrowen {

namespace {

const QChar Cr(u'\r');

qsizetype find(const QString &text, const QString &what, qsizetype from)
{
    return from > text.size() ? -1 : text.indexOf(what, from);
}

// The text from `start` up to `end` (not included); a value that would end
// before it starts means the page is not what it seems.
QString between(const QString &text, qsizetype start, qsizetype end)
{
    if (end < start)
        throw UnreadableMessage();
    return text.mid(start, end - start);
}

// Spaces at both ends only: other blanks stay, as the clean-up expects.
QString trimmedSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

// What a page puts right after a value can be the start of the next label
// ("Reply-" before "To :"): that word is dropped where it ends the value,
// and only there, so a subject that mentions it keeps it.
QString withoutTrailingWord(const QString &raw, const QString &word)
{
    QString value = trimmedSpaces(raw);
    if (!word.isEmpty() && value.endsWith(word))
        value.chop(word.size());
    return value;
}

} // namespace

QString cleanedHeaderValue(QString raw)
{
    raw.remove(QLatin1Char('\t'));
    raw.remove(Cr);
    raw.remove(QLatin1Char('\n'));
    return trimmedSpaces(raw);
}

int chooseLabelVariant(const QString &pageText, const QList<MessageHeaderLabels> &variants, int current, int count)
{
    if (current >= 0 && current < variants.size() && pageText.contains(variants[current].subject))
        return current;
    for (int variant = 0; variant < count && variant < variants.size(); ++variant) {
        if (pageText.contains(variants[variant].subject))
            return variant;
    }
    return current;
}

MessageHeaders yahooMessageHeaders(const QString &pageText, const MessageHeaderLabels &labels)
{
    MessageHeaders headers;
    const auto value = [&pageText, &headers](const QString &label, QChar terminator) {
        const qsizetype at = pageText.indexOf(label);
        if (at < 0)
            return QString();
        const qsizetype end = pageText.indexOf(terminator, at);
        if (end < 0)
            return QString();
        headers.lastValueEnd = end;
        return cleanedHeaderValue(between(pageText, at + label.size(), end));
    };
    headers.from = value(labels.from, QLatin1Char('|'));
    headers.to = value(labels.to, Cr);
    if (const qsizetype via = headers.to.indexOf(QLatin1String(" via")); via >= 0)
        headers.to.truncate(via);
    // The reply-to value is not kept; finding it only moves lastValueEnd.
    value(labels.replyTo, Cr);
    headers.subject = value(labels.subject, Cr);
    headers.date = value(labels.date, Cr);
    return headers;
}

MessageHeaders hotmailMessageHeaders(const QString &pageText, const MessageHeaderLabels &labels)
{
    MessageHeaders headers;
    // Each value starts one character after its label (the space after it).
    const auto valueAfter = [&pageText](qsizetype label, const QString &labelText, qsizetype end) {
        return between(pageText, label + 1 + labelText.size(), end);
    };

    // From ends where the next label begins: To, or Reply-To when that
    // comes first.
    qsizetype next = 0;
    qsizetype label = find(pageText, labels.from, 0);
    if (label >= 0) {
        qsizetype end = find(pageText, labels.to, label);
        const qsizetype replyTo = find(pageText, labels.replyTo, label);
        if (replyTo >= 0 && (end < 0 || replyTo < end))
            end = replyTo;
        if (end >= 0)
            headers.from = cleanedHeaderValue(withoutTrailingWord(valueAfter(label, labels.from, end), QStringLiteral("Reply-")));
        next = label + 1;
    }

    // Reply-To is not kept; when there is one, To is looked for after it,
    // else from the start of the page.
    label = find(pageText, labels.replyTo, next);
    next = label >= 0 ? label + labels.replyTo.size() + 1 : 0;

    label = find(pageText, labels.to, next);
    if (label >= 0) {
        const qsizetype end = find(pageText, labels.subject, label);
        if (end >= 0)
            headers.to = cleanedHeaderValue(withoutTrailingWord(valueAfter(label, labels.to, end), QStringLiteral("Subject")));
        next = label + 1;
    } else {
        next = 0;
    }

    label = find(pageText, labels.subject, next);
    if (label >= 0) {
        const qsizetype end = find(pageText, labels.date, label);
        if (end >= 0)
            headers.subject =
                cleanedHeaderValue(withoutTrailingWord(valueAfter(label, labels.subject, end), QStringLiteral("Subject")));
        next = label + 1;
    } else {
        next = 0;
    }

    label = find(pageText, labels.date, next);
    if (label >= 0) {
        const qsizetype end = find(pageText, QString(Cr), label + 10);
        if (end >= 0)
            headers.date = cleanedHeaderValue(valueAfter(label, labels.date, end));
    }
    return headers;
}

} // namespace ferrowen

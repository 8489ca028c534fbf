#pragma once

#include "webmail/ProviderProfile.h"

#include <QString>

#include <stdexcept>

namespace ferrowen {

// The header values of a message as cut out of the page's rendered text.
struct MessageHeaders
{
    QString from;
    QString to;
    QString subject;
    QString date;
    // Yahoo only: where the last value found ends (its terminator's
    // position from 0), or -1 when none was found.
    qsizetype lastValueEnd = -1;
};

// The page cannot be read as a message (a value's end lies before its start).
class UnreadableMessage : public std::runtime_error
{
public:
    UnreadableMessage()
        : std::runtime_error("the page holds no readable message")
    {
    }
};

// The version of the labels the page is in: `current` when the page holds
// its subject label, else the first of the first `count` versions whose
// subject label it holds, else `current` still.
int chooseLabelVariant(const QString &pageText, const QList<MessageHeaderLabels> &variants, int current, int count);

// Yahoo pages: each label is looked for from the start of the page on its
// own. From ends before the first "|" after its label, every other value at
// the end of its line; a To value keeps only what comes before " via".
MessageHeaders yahooMessageHeaders(const QString &pageText, const MessageHeaderLabels &labels);

// Hotmail pages: the labels follow one another (From, Reply-To, To,
// Subject, Date) and each value ends where the next label begins; the date
// ends with its line. Throws UnreadableMessage.
MessageHeaders hotmailMessageHeaders(const QString &pageText, const MessageHeaderLabels &labels);

// A raw value as a header value: tabs and line breaks removed, then the
// spaces at both ends.
QString cleanedHeaderValue(QString raw);

} // namespace ferrowen

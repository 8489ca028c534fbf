#include "store/MessageFileName.h"

#include "store/MessageNameFields.h"
#include "store/SavedMessage.h"

#include <QStringList>

#include <array>

namespace ferrowen {

namespace {

const QString Separator = QStringLiteral("&&");
const QString Extension = QStringLiteral(".htm");

bool startsPair(QStringView text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
}

// Characters are counted as code points, so a cut never splits a
// character that takes two UTF-16 units.
qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype at = 0; at < text.size(); at += startsPair(text, at) ? 2 : 1)
        ++count;
    return count;
}

qsizetype unitsOfFirstCharacters(QStringView text, qsizetype characters)
{
    qsizetype units = 0;
    for (; characters > 0 && units < text.size(); --characters)
        units += startsPair(text, units) ? 2 : 1;
    return units;
}

QString cutTo(const QString &value, qsizetype characters)
{
    if (characterCount(value) <= characters)
        return value;
    return value.left(unitsOfFirstCharacters(value, characters)) + QStringLiteral("...");
}

QString dateToken(QString date)
{
    return date.replace(QLatin1Char(':'), QLatin1Char('^')).replace(QLatin1Char('/'), QLatin1Char('#'));
}

// The characters a file name may not hold, in the order they are taken
// out. Control characters (a NUL above all) would make the name unusable
// and the message lost, so they become spaces too.
QString cleaned(QString text)
{
    text.remove(QLatin1Char('"'));
    text.replace(QLatin1Char('<'), QLatin1Char(' '));
    text.replace(QLatin1Char('>'), QLatin1Char(' '));
    text.replace(QLatin1Char('/'), QLatin1Char(' '));
    text.remove(QLatin1Char('?'));
    text.replace(QLatin1Char(':'), QLatin1Char(' '));
    text.remove(QLatin1Char('*'));
    text.replace(QLatin1Char('\\'), QLatin1Char(' '));
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    }
    return text;
}

// Only spaces count: tabs and other blanks stay.
QString withoutTrailingSpaces(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

int utf8Bytes(char32_t codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    return codePoint < 0x10000 ? 3 : 4;
}

// Drops characters from the end of `part` until `excess` bytes are gone or
// the part is empty; returns the bytes still to go.
qsizetype dropTrailingBytes(QString &part, qsizetype excess)
{
    qsizetype end = part.size();
    while (excess > 0 && end > 0) {
        const bool pair = end >= 2 && part[end - 1].isLowSurrogate() && part[end - 2].isHighSurrogate();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(part[end - 2], part[end - 1]) : part[end - 1].unicode();
        excess -= utf8Bytes(codePoint);
        end -= pair ? 2 : 1;
    }
    part.truncate(end);
    return excess;
}

qsizetype nameBytes(const std::array<QString, 4> &parts)
{
    QString name;
    for (const QString &part : parts)
        name += part + Separator;
    name.chop(Separator.size());
    return (name + Extension).toUtf8().size();
}

} // namespace

QString messageFileName(const SavedMessage &message)
{
    std::array<QString, 4> parts;
    if (message.isSent)
        parts = {cutTo(message.to, 20), cutTo(message.subject, 60), dateToken(message.date),
                 QStringLiteral("sent message")};
    else
        parts = {message.from, cutTo(message.subject, 60), dateToken(message.date), cutTo(message.to, 20)};
    for (QString &part : parts)
        part = cleaned(part);
    parts.front() = withoutLeadingSpaces(parts.front());
    parts.back() = withoutTrailingSpaces(parts.back());

    // Lone surrogates are written as three bytes: measure again until the
    // name fits.
    for (qsizetype excess = nameBytes(parts) - MaxFileNameBytes; excess > 0;
         excess = nameBytes(parts) - MaxFileNameBytes) {
        for (QString &part : parts) {
            excess = dropTrailingBytes(part, excess);
            if (excess <= 0)
                break;
        }
    }
    return parts[0] + Separator + parts[1] + Separator + parts[2] + Separator + parts[3] + Extension;
}

} // namespace ferrowen

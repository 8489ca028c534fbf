#include "store/MessageFileName.h"

#include "store/MessageNameFields.h"
#include "store/SavedMessage.h"

#include <QCryptographicHash>
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
    // Word joiners in a name are the writer's own, for an "&" (see below).
    text.remove(NameFieldJoiner);
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
// the part is empty.
void dropTrailingBytes(QString &part, qsizetype excess)
{
    qsizetype end = part.size();
    while (excess > 0 && end > 0) {
        const bool pair = end >= 2 && part[end - 1].isLowSurrogate() && part[end - 2].isHighSurrogate();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(part[end - 2], part[end - 1]) : part[end - 1].unicode();
        excess -= utf8Bytes(codePoint);
        end -= pair ? 2 : 1;
    }
    part.truncate(end);
}

// A field as it stands in the name: a word joiner goes between two "&" and
// between an "&" and the separator beside it, so that "&&" in a name only
// ever separates fields ("AT&" stays "AT&", not "AT" and an "&" for the
// subject). Names without such an "&" are as they always were.
QString keptApart(const QString &field, bool separatorBefore, bool separatorAfter)
{
    QString text;
    text.reserve(field.size());
    for (const QChar c : field) {
        if (c == u'&' && ((text.isEmpty() && separatorBefore) || (!text.isEmpty() && text.back() == u'&')))
            text += NameFieldJoiner;
        text += c;
    }
    if (separatorAfter && text.endsWith(u'&'))
        text += NameFieldJoiner;
    return text;
}

QString joinedName(const std::array<QString, 4> &parts, int markedPart = -1, const QString &marker = QString())
{
    QString name;
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            name += Separator;
        name += keptApart(parts[size_t(i)] + (i == markedPart ? marker : QString()), i > 0, i < 3);
    }
    return name + Extension;
}

qsizetype nameBytes(const QString &name)
{
    return name.toUtf8().size();
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

    const QString whole = joinedName(parts);
    if (nameBytes(whole) <= MaxMessageFileNameBytes)
        return whole;

    // Cut names of different messages must differ: the cut is marked with a
    // digest of the whole name.
    const QString marker = QLatin1Char('~')
        + QString::fromLatin1(QCryptographicHash::hash(whole.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    // Measured again after each cut: the word joiners may change with it.
    for (int cutPart = 0; cutPart < 4; ++cutPart) {
        for (;;) {
            const QString name = joinedName(parts, cutPart, marker);
            const qsizetype excess = nameBytes(name) - MaxMessageFileNameBytes;
            if (excess <= 0)
                return name;
            if (parts[size_t(cutPart)].isEmpty())
                break;
            dropTrailingBytes(parts[size_t(cutPart)], excess);
        }
    }
    return joinedName(parts, 3, marker);
}

} // namespace ferrowen

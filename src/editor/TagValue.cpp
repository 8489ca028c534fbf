#include "editor/TagValue.h"

#include <QList>
#include <QRegularExpression>

namespace ferrowen {

namespace {

// One attribute of a tag, as positions (0-based) in the document text.
struct Attribute
{
    int nameStart = 0;
    int nameEnd = 0;
    bool hasValue = false;
    int valueStart = 0; // the opening quote of a quoted value
    int valueEnd = 0;   // just after the closing quote
    QChar quote;        // null for a bare value
};

struct ParsedTag
{
    QList<Attribute> attributes;
    int end = -1; // the closing ">"
};

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
           || c == QLatin1Char('\f');
}

// Whether a name followed by "=" starts at pos.
bool startsAttribute(const QString &text, int pos)
{
    static const QRegularExpression nameAndEquals(QStringLiteral("[A-Za-z_:][-A-Za-z0-9_:.]*[ \\t\\r\\n\\f]*="));
    return nameAndEquals.match(text, pos, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)
        .hasMatch();
}

// Reads the attributes of the tag at from. A quoted value may hold ">";
// a tag that never closes has end -1.
ParsedTag parseTag(const QString &text, int from)
{
    ParsedTag tag;
    const int length = text.size();
    int pos = from;
    if (pos < length && text.at(pos) == QLatin1Char('<')) {
        ++pos;
        while (pos < length && !isBlank(text.at(pos)) && text.at(pos) != QLatin1Char('>')
               && text.at(pos) != QLatin1Char('/'))
            ++pos;
    }
    for (;;) {
        while (pos < length && (isBlank(text.at(pos)) || text.at(pos) == QLatin1Char('/')))
            ++pos;
        if (pos >= length)
            return tag;
        if (text.at(pos) == QLatin1Char('>')) {
            tag.end = pos;
            return tag;
        }
        Attribute attribute;
        attribute.nameStart = pos;
        while (pos < length && !isBlank(text.at(pos)) && text.at(pos) != QLatin1Char('=')
               && text.at(pos) != QLatin1Char('>'))
            ++pos;
        attribute.nameEnd = pos;
        int afterName = pos;
        while (afterName < length && isBlank(text.at(afterName)))
            ++afterName;
        if (afterName < length && text.at(afterName) == QLatin1Char('=')) {
            pos = afterName + 1;
            const int afterEquals = pos;
            while (pos < length && isBlank(text.at(pos)))
                ++pos;
            attribute.hasValue = true;
            // "WIDTH= ALIGN=center": the blank ends an empty value rather
            // than letting WIDTH swallow ALIGN.
            if (pos > afterEquals && startsAttribute(text, pos)) {
                attribute.valueStart = attribute.valueEnd = afterEquals;
                tag.attributes.append(attribute);
                continue;
            }
            attribute.valueStart = pos;
            if (pos < length && (text.at(pos) == QLatin1Char('"') || text.at(pos) == QLatin1Char('\''))) {
                attribute.quote = text.at(pos);
                const int close = text.indexOf(attribute.quote, pos + 1);
                if (close < 0)
                    return tag;
                pos = close + 1;
            } else {
                while (pos < length && !isBlank(text.at(pos)) && text.at(pos) != QLatin1Char('>'))
                    ++pos;
            }
            attribute.valueEnd = pos;
        }
        tag.attributes.append(attribute);
    }
}

// Attributes that are on by being there. The editor writes them as
// nowrap="", so a present one reads as on whatever its value.
bool isFlagAttribute(const QString &name)
{
    static const QStringList flags = {
        QStringLiteral("NOWRAP"), QStringLiteral("NOSHADE"), QStringLiteral("ISMAP"),
        QStringLiteral("COMPACT"), QStringLiteral("CHECKED"), QStringLiteral("SELECTED"),
        QStringLiteral("DISABLED"), QStringLiteral("READONLY"), QStringLiteral("MULTIPLE"),
        QStringLiteral("NORESIZE"),
    };
    return flags.contains(name.toUpper());
}

QString formattedValue(const QString &value)
{
    // \\z, not $: "$" also matches before a final line break.
    static const QRegularExpression plainToken(QStringLiteral("\\A[A-Za-z0-9#%+\\-./:?_]+\\z"));
    if (plainToken.match(value).hasMatch())
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString unquotedValue(const QString &text, const Attribute &attribute)
{
    const QString raw = text.mid(attribute.valueStart, attribute.valueEnd - attribute.valueStart);
    if (attribute.quote.isNull())
        return raw;
    QString inner = raw.mid(1, raw.size() - 2);
    return inner.replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// Where a new attribute goes: before the ">", or before the "/" of "/>"
// (and the blanks ahead of it).
int insertionPoint(const QString &text, int end)
{
    int point = end;
    if (point > 0 && text.at(point - 1) == QLatin1Char('/')) {
        --point;
        while (point > 0 && isBlank(text.at(point - 1)))
            --point;
    }
    return point;
}

// A written value, with the blank that keeps it apart from whatever
// follows at next: a bare value would run on into "/" or the next name.
QString valueBefore(const QString &text, int next, const QString &value)
{
    const QString written = formattedValue(value);
    if (next < text.size() && !isBlank(text.at(next)) && text.at(next) != QLatin1Char('>'))
        return written + QLatin1Char(' ');
    return written;
}

QString removed(const QString &text, int from, int to)
{
    return text.left(from) + text.mid(to);
}

QString inserted(const QString &text, int at, const QString &piece)
{
    return text.left(at) + piece + text.mid(at);
}

} // namespace

TagValueResult TagValue(const QString &text, int start, const QString &name, const QString &value, TagValueMode mode)
{
    const int from = qMax(start, 1) - 1;
    if (from >= text.size())
        return {};
    const ParsedTag tag = parseTag(text, from);
    if (tag.end < 0)
        return {};

    const Attribute *found = nullptr;
    for (const Attribute &attribute : tag.attributes) {
        if (QStringView(text).mid(attribute.nameStart, attribute.nameEnd - attribute.nameStart).compare(name, Qt::CaseInsensitive) == 0) {
            found = &attribute;
            break;
        }
    }

    TagValueResult result;
    if (!found) {
        switch (mode) {
        case TagValueMode::Read:
            return result;
        case TagValueMode::SetValue: {
            const int point = insertionPoint(text, tag.end);
            result.text = value.isEmpty()
                              ? text
                              : inserted(text, point, QLatin1Char(' ') + name + QLatin1Char('=') + valueBefore(text, point, value));
            return result;
        }
        case TagValueMode::SetFlag:
            result.text = value == QLatin1String("1") ? inserted(text, insertionPoint(text, tag.end), QLatin1Char(' ') + name)
                                                      : text;
            return result;
        }
        return result;
    }

    result.valueWasQuoted = found->hasValue && !found->quote.isNull();
    const int attributeEnd = found->hasValue ? found->valueEnd : found->nameEnd;
    switch (mode) {
    case TagValueMode::Read:
        if (!found->hasValue || isFlagAttribute(name))
            result.text = QStringLiteral("<ON>");
        else
            result.text = unquotedValue(text, *found);
        return result;
    case TagValueMode::SetValue:
        if (value.isEmpty())
            result.text = removed(text, found->nameStart, attributeEnd);
        else if (found->hasValue)
            result.text = text.left(found->valueStart) + valueBefore(text, found->valueEnd, value) + text.mid(found->valueEnd);
        else
            result.text = inserted(text, found->nameEnd, QLatin1Char('=') + valueBefore(text, found->nameEnd, value));
        return result;
    case TagValueMode::SetFlag:
        result.text = value == QLatin1String("1") ? text : removed(text, found->nameStart, attributeEnd);
        return result;
    }
    return result;
}

int TagEnd(const QString &text, int from)
{
    QChar quote;
    for (int i = from + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i;
        }
    }
    return -1;
}

} // namespace ferrowen

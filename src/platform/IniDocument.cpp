#include "platform/IniDocument.h"

namespace ferrowen {

namespace {

const QByteArray crLf = QByteArrayLiteral("\r\n");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString withoutMatchingQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// What a reader makes of the text after "=".
QString readBackValue(const QString &text)
{
    return withoutMatchingQuotes(trimBlanks(text));
}

// The text after "=" that reads back as `value`: the value as it is, or in
// double quotes when a reader would take off its outer blanks or quotes.
QString storedValueText(const QString &value, IniDocument::ValueLayout layout)
{
    if (layout == IniDocument::ValueLayout::SignPosition && !value.startsWith(u'-'))
        return QLatin1Char(' ') + value;
    if (readBackValue(value) != value)
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one line of the file means to a reader.
struct LineMeaning
{
    enum Kind { Other, Blank, Comment, Section, Key };
    Kind kind = Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed, quotes removed
};

LineMeaning interpret(const QByteArray &raw)
{
    QString text = QString::fromUtf8(raw);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString trimmed = trimBlanks(text);

    LineMeaning meaning;
    if (trimmed.isEmpty()) {
        meaning.kind = LineMeaning::Blank;
    } else if (trimmed.front() == u'[') {
        meaning.kind = LineMeaning::Section;
        const qsizetype close = trimmed.indexOf(u']');
        meaning.name = trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
    } else if (trimmed.front() == u';') {
        meaning.kind = LineMeaning::Comment;
    } else if (const qsizetype equals = trimmed.indexOf(u'='); equals >= 0) {
        meaning.kind = LineMeaning::Key;
        meaning.name = trimBlanks(trimmed.left(equals));
        meaning.value = readBackValue(trimmed.mid(equals + 1));
    }
    return meaning;
}

bool holdsLineBreakOrNul(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

QString nameError(const QString &name, const char *what)
{
    const QString kind = QString::fromLatin1(what);
    const QString trimmed = trimBlanks(name);
    if (trimmed.isEmpty())
        return QStringLiteral("the %1 name is empty").arg(kind);
    if (holdsLineBreakOrNul(name))
        return QStringLiteral("the %1 name \"%2\" holds a line break or NUL character").arg(kind, name);
    if (name.contains(u']') || name.contains(u'='))
        return QStringLiteral("the %1 name \"%2\" holds \"]\" or \"=\"").arg(kind, name);
    return QString();
}

} // namespace

IniDocument::IniDocument(const QByteArray &content)
{
    qsizetype start = 0;
    while (start < content.size()) {
        Line line;
        qsizetype end = start;
        while (end < content.size() && content.at(end) != '\n' && content.at(end) != '\r')
            ++end;
        line.text = content.mid(start, end - start);
        if (end < content.size()) {
            const bool crLfPair = content.at(end) == '\r' && end + 1 < content.size() && content.at(end + 1) == '\n';
            line.end = content.mid(end, crLfPair ? 2 : 1);
        }
        start = end + line.end.size();
        m_lines.push_back(std::move(line));
    }
}

int IniDocument::findKeyLine(const QString &section, const QString &key) const
{
    const QString wantedSection = trimBlanks(section);
    const QString wantedKey = trimBlanks(key);
    bool inSection = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const LineMeaning meaning = interpret(m_lines[i].text);
        if (meaning.kind == LineMeaning::Section)
            inSection = sameName(meaning.name, wantedSection);
        else if (inSection && meaning.kind == LineMeaning::Key && sameName(meaning.name, wantedKey))
            return int(i);
    }
    return -1;
}

// Index just past the last non-blank line of the first matching section,
// or -1 when the section is missing.
int IniDocument::findSectionEnd(const QString &section) const
{
    const QString wanted = trimBlanks(section);
    int lastContent = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const LineMeaning meaning = interpret(m_lines[i].text);
        if (meaning.kind == LineMeaning::Section) {
            if (lastContent >= 0)
                break;
            if (sameName(meaning.name, wanted))
                lastContent = int(i);
        } else if (lastContent >= 0 && meaning.kind != LineMeaning::Blank) {
            lastContent = int(i);
        }
    }
    return lastContent < 0 ? -1 : lastContent + 1;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const int index = findKeyLine(section, key);
    if (index < 0)
        return std::nullopt;
    return interpret(m_lines[size_t(index)].text).value;
}

Status IniDocument::setValue(const QString &section, const QString &key, const QString &value, ValueLayout layout)
{
    if (Status names = checkNames(section, key); !names)
        return names;
    if (Status fits = checkValue(value); !fits)
        return fits;
    const QString stored = storedValueText(value, layout);
    // A value the layout cannot carry (a number with blanks, say) would read back different.
    if (readBackValue(stored) != value)
        return Status::failure(QStringLiteral("the settings value \"%1\" would not read back as written").arg(value));
    const QByteArray encodedValue = stored.toUtf8();

    if (const int index = findKeyLine(section, key); index >= 0) {
        Line &line = m_lines[size_t(index)];
        // Keep the spelling the file already uses for the key.
        const QString existingName = interpret(line.text).name;
        line.text = existingName.toUtf8() + '=' + encodedValue;
        line.end = crLf;
        return Status::success();
    }

    const Line keyLine{trimBlanks(key).toUtf8() + '=' + encodedValue, crLf};
    if (const int end = findSectionEnd(section); end >= 0) {
        Line &previous = m_lines[size_t(end - 1)];
        if (previous.end.isEmpty())
            previous.end = crLf;
        m_lines.insert(m_lines.begin() + end, keyLine);
        return Status::success();
    }

    if (!m_lines.empty() && m_lines.back().end.isEmpty())
        m_lines.back().end = crLf;
    m_lines.push_back(Line{'[' + trimBlanks(section).toUtf8() + ']', crLf});
    m_lines.push_back(keyLine);
    return Status::success();
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.text + line.end;
    return bytes;
}

Status IniDocument::checkNames(const QString &section, const QString &key)
{
    QString error = nameError(section, "section");
    if (error.isEmpty())
        error = nameError(key, "key");
    if (error.isEmpty()) {
        const QChar first = trimBlanks(key).front();
        if (first == u'[' || first == u';')
            error = QStringLiteral("the key name \"%1\" starts with \"[\" or \";\"").arg(key);
    }
    return error.isEmpty() ? Status::success() : Status::failure(error);
}

Status IniDocument::checkValue(const QString &value)
{
    if (holdsLineBreakOrNul(value))
        return Status::failure(QStringLiteral("a settings value cannot hold a line break or NUL character"));
    // UTF-8 cannot carry a lone surrogate: it would come back as another character.
    if (QString::fromUtf8(value.toUtf8()) != value)
        return Status::failure(QStringLiteral("a settings value cannot hold a broken character (a lone surrogate)"));
    return Status::success();
}

} // namespace ferrowen

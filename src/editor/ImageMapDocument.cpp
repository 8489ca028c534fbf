#include "editor/ImageMapDocument.h"

#include "editor/TagValue.h"

#include <QRegularExpression>

namespace ferrowen {

namespace {

// Just after the ">" that closes the opening BODY tag; -1 when none.
int afterBodyTag(const QString &text)
{
    static const QRegularExpression bodyTag(QStringLiteral("<body(?=[\\s>/])"), QRegularExpression::CaseInsensitiveOption);
    const auto match = bodyTag.match(text);
    if (!match.hasMatch())
        return -1;
    QChar closing; // the quote or brace being skipped
    for (int pos = int(match.capturedEnd()); pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (!closing.isNull()) {
            if (c == closing)
                closing = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            closing = c;
        } else if (c == QLatin1Char('{')) {
            closing = QLatin1Char('}');
        } else if (c == QLatin1Char('>')) {
            return pos + 1;
        }
    }
    return -1;
}

const QRegularExpression &mapTag()
{
    static const QRegularExpression tag(QStringLiteral("<map(?=[\\s>/])"), QRegularExpression::CaseInsensitiveOption);
    return tag;
}

QString nameAt(const QString &documentText, int start)
{
    return TagValue(documentText, start + 1, QStringLiteral("NAME"), {}, TagValueMode::Read).text;
}

} // namespace

QString InsertMapString(const QString &documentText, const QString &mapHtml)
{
    const int at = afterBodyTag(documentText);
    if (at < 0)
        return documentText;
    return documentText.left(at) + mapHtml + documentText.mid(at);
}

QStringList mapNamesIn(const QString &documentText)
{
    QStringList names;
    for (auto matches = mapTag().globalMatch(documentText); matches.hasNext();)
        names << nameAt(documentText, int(matches.next().capturedStart()));
    return names;
}

MapElement findMapElement(const QString &documentText, const QString &name)
{
    static const QRegularExpression endTag(QStringLiteral("</map\\s*>"), QRegularExpression::CaseInsensitiveOption);
    for (auto matches = mapTag().globalMatch(documentText); matches.hasNext();) {
        const int start = int(matches.next().capturedStart());
        if (nameAt(documentText, start) != name)
            continue;
        const auto close = endTag.match(documentText, start);
        if (!close.hasMatch())
            return {};
        const int end = int(close.capturedEnd());
        return {start, end, documentText.mid(start, end - start)};
    }
    return {};
}

QString placeMapElement(const QString &documentText, const QString &name, const QString &mapHtml)
{
    if (afterBodyTag(documentText) < 0)
        return documentText;
    QString text = documentText;
    for (MapElement old = findMapElement(text, name); old.start >= 0; old = findMapElement(text, name))
        text.remove(old.start, old.end - old.start);
    return InsertMapString(text, mapHtml);
}

} // namespace ferrowen

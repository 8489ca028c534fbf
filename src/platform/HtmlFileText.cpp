#include "platform/HtmlFileText.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace ferrowen {

QString decodeHtmlFile(const QByteArray &bytes)
{
    QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
    const bool isUtf8 = !declared.isValid() || QByteArray(declared.name()).compare("UTF-8", Qt::CaseInsensitive) == 0;
    if (!isUtf8)
        return declared.decode(bytes);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder legacy("windows-1252");
    if (legacy.isValid())
        return legacy.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString withUtf8Charset(const QString &html)
{
    static const QRegularExpression declaration(
        QStringLiteral("(<meta\\b[^>]*?\\bcharset\\s*=\\s*[\"']?)([^\"'\\s;>/]+)"),
        QRegularExpression::CaseInsensitiveOption);
    if (html.contains(declaration)) {
        QString text = html;
        return text.replace(declaration, QStringLiteral("\\1utf-8"));
    }

    static const QRegularExpression head(QStringLiteral("<head\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression root(QStringLiteral("<html\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const QString meta = QStringLiteral("<meta charset=\"utf-8\">");
    for (const QRegularExpression *opening : {&head, &root}) {
        const QRegularExpressionMatch match = opening->match(html);
        if (match.hasMatch())
            return html.left(match.capturedEnd()) + meta + html.mid(match.capturedEnd());
    }
    return meta + html;
}

QByteArray encodeHtmlFile(const QString &html)
{
    return withUtf8Charset(html).toUtf8();
}

bool isMostlyServerScript(const QString &html)
{
    static const QRegularExpression block(QStringLiteral("<%.*?%>|<\\?php.*?(\\?>|$)"),
                                          QRegularExpression::DotMatchesEverythingOption
                                              | QRegularExpression::CaseInsensitiveOption);
    qsizetype scripted = 0;
    auto blocks = block.globalMatch(html);
    while (blocks.hasNext())
        scripted += blocks.next().capturedLength();
    return scripted > 0 && scripted * 2 > html.trimmed().size();
}

} // namespace ferrowen

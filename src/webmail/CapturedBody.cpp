#include "webmail/CapturedBody.h"

namespace ferrowen {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString withCrLf(QString text)
{
    text.replace(CrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), CrLf);
}

} // namespace

QString withoutHeaderHead(const QString &body, const QString &toLabel)
{
    if (!body.left(20).contains(toLabel))
        return body;
    const qsizetype close = body.indexOf(QLatin1Char('>'), 4);
    if (close < 0 || close + 1 >= 100)
        return body;
    return body.mid(close + 1);
}

QString withPlainTextBreaks(const QString &body)
{
    const QString lower = body.toLower();
    for (const char *markup : {"<p>", "</", "<div"}) {
        if (lower.indexOf(QLatin1String(markup), 2) >= 0)
            return body;
    }
    QString text = withCrLf(body);
    const QString twoBreaks = CrLf + CrLf;
    text.replace(twoBreaks + twoBreaks, twoBreaks);
    text.replace(twoBreaks + CrLf, twoBreaks);
    return text.replace(CrLf, QStringLiteral("<br>") + CrLf);
}

} // namespace ferrowen

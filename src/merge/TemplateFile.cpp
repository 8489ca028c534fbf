#include "merge/TemplateFile.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace ferrowen {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString withCrLf(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QString converted = text;
    return converted.replace(lineEnd, CrLf);
}

QString decoded(const QByteArray &content)
{
    QByteArrayView bytes(content);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

QByteArray templateFileContent(const TemplateText &text)
{
    return (text.subject + CrLf + withCrLf(text.body)).toUtf8();
}

TemplateText templateFromFileContent(const QByteArray &content)
{
    QStringList lines = withCrLf(decoded(content)).split(CrLf);
    // The line end of the last line starts no further line.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();

    TemplateText text;
    text.subject = lines.value(0);
    for (qsizetype i = 1; i < lines.size(); ++i)
        text.body += lines[i] + CrLf;
    return text;
}

} // namespace ferrowen

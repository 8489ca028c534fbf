#include "webmail/MailtoLink.h"

#include "webmail/PercentDecoding.h"

#include <QByteArray>
#include <QStringList>

namespace ferrowen {

namespace {

const QString Scheme = QStringLiteral("mailto:");
const QString AddressSeparator = QStringLiteral(", ");
const QString CrLf = QStringLiteral("\r\n");

QString percentDecoded(QStringView text)
{
    return PercentDecoded(text.toUtf8(), PlusSign::Literal);
}

void appendAddresses(QStringList &addresses, const QString &list)
{
    for (const QString &address : list.split(QLatin1Char(','))) {
        const QString trimmed = address.trimmed();
        if (!trimmed.isEmpty())
            addresses << trimmed;
    }
}

// Every kind of line break becomes CR LF.
QString withCrLfBreaks(QString text)
{
    text.replace(CrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), CrLf);
}

bool isField(const QString &name, const char *expected)
{
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

} // namespace

MailtoFields parseMailtoLink(const QString &link)
{
    QStringView text = QStringView(link).trimmed();
    if (text.startsWith(Scheme, Qt::CaseInsensitive))
        text = text.mid(Scheme.size());

    const qsizetype question = text.indexOf(QLatin1Char('?'));
    QStringList to, cc, bcc;
    MailtoFields fields;
    appendAddresses(to, percentDecoded(question < 0 ? text : text.left(question)));

    const QStringView headerFields = question < 0 ? QStringView() : text.mid(question + 1);
    for (const QStringView field : headerFields.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype equals = field.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString name = percentDecoded(field.left(equals));
        const QString value = percentDecoded(field.mid(equals + 1));
        if (isField(name, "to"))
            appendAddresses(to, value);
        else if (isField(name, "cc"))
            appendAddresses(cc, value);
        else if (isField(name, "bcc"))
            appendAddresses(bcc, value);
        else if (isField(name, "subject"))
            fields.subject = value;
        else if (isField(name, "body"))
            fields.body = withCrLfBreaks(value);
    }
    fields.to = to.join(AddressSeparator);
    fields.cc = cc.join(AddressSeparator);
    fields.bcc = bcc.join(AddressSeparator);
    return fields;
}

} // namespace ferrowen

#include "webmail/MailtoLink.h"

#include <QByteArray>
#include <QUrl>

namespace ferrowen {

namespace {

QString withoutScheme(const QString &link)
{
    static const QString scheme = QStringLiteral("mailto:");
    if (link.startsWith(scheme, Qt::CaseInsensitive))
        return link.mid(scheme.size());
    return link;
}

// Decodes %XX escapes as UTF-8; a "+" stays a plus sign in mailto links.
QString percentDecoded(const QString &text)
{
    if (!text.contains(QLatin1Char('%')))
        return text;
    return QUrl::fromPercentEncoding(text.toUtf8());
}

} // namespace

MailtoFields parseMailtoLink(const QString &link)
{
    const QString text = withoutScheme(link.trimmed());
    MailtoFields fields;
    const int question = text.indexOf(QLatin1Char('?'));
    if (question < 0) {
        fields.recipient = percentDecoded(text);
        return fields;
    }
    fields.recipient = percentDecoded(text.left(question));
    const int subjectKey = text.indexOf(QLatin1String("ect="), question);
    if (subjectKey >= 0)
        fields.subject = percentDecoded(text.mid(subjectKey + 4));
    return fields;
}

} // namespace ferrowen

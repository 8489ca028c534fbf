#include "webmail/CaptureSentMessage.h"

#include "store/MessageDate.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "webmail/ComposeHost.h"
#include "webmail/ProviderProfile.h"
#include "webmail/ReadPostParameter.h"

#include <QDateTime>

namespace ferrowen {

namespace {

// A field's parameter key ("&Subj=") in every provider's compose form,
// in the order of the profile table, each once.
QList<QByteArray> parameterKeys(ComposeField role)
{
    QList<QByteArray> keys;
    for (const ProviderProfile &profile : providerProfiles()) {
        const QByteArray key = '&' + profile.compose.field(role).toUtf8() + '=';
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

// The first provider's key found wins; absent: empty.
QString parameter(const QByteArray &data, ComposeField role)
{
    for (const QByteArray &key : parameterKeys(role)) {
        if (data.contains(key))
            return ReadPostParameter(data, key);
    }
    return QString();
}

// A plain-text body gets "<br>" before each line break.
QString sentBodyAsHtml(QString body)
{
    const QString lower = body.toLower();
    for (const char *markup : {"<div", "<p", "</"}) {
        if (lower.contains(QLatin1String(markup)))
            return body;
    }
    return body.replace(QStringLiteral("\r\n"), QStringLiteral("<br>\r\n"));
}

} // namespace

void CaptureSentMessage(ComposeHost &host, MessageSaveHost &store, const QByteArray &postData)
{
    if (host.mergeInProgress() || !host.saveSentCopies() || postData.isEmpty())
        return;
    // Every parameter is looked for after an "&": the form's first field
    // has none in front of it.
    const QByteArray data = '&' + postData;
    SavedMessage message;
    message.to = parameter(data, ComposeField::To);
    // Not a compose form's submission, or one without a recipient.
    if (message.to.isEmpty())
        return;
    message.from = QStringLiteral("Sent Message");
    message.bcc = parameter(data, ComposeField::Bcc);
    message.cc = parameter(data, ComposeField::Cc);
    message.subject = parameter(data, ComposeField::Subject);
    message.body = sentBodyAsHtml(parameter(data, ComposeField::Body));
    message.date = sentCopyDateText(QDateTime::currentDateTime());
    message.isSent = true;
    SaveMessage(store, message);
}

} // namespace ferrowen

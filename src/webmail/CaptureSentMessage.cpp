#include "webmail/CaptureSentMessage.h"

#include "store/MessageDate.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "webmail/ComposeHost.h"
#include "webmail/ProviderProfile.h"
#include "webmail/ReadPostParameter.h"

#include <QDateTime>
#include <QUrl>
#include <QUrlQuery>

namespace ferrowen {

namespace {

QByteArray parameterKey(const QString &name)
{
    return '&' + name.toUtf8() + '=';
}

// The provider whose compose form posted the data: the first whose
// recipient field it holds.
const ProviderProfile *senderProfile(const QByteArray &data)
{
    for (const ProviderProfile &profile : providerProfiles()) {
        if (data.contains(parameterKey(profile.compose.to)))
            return &profile;
    }
    return nullptr;
}

// Named in the posted data (with a value or without one), or in the query
// of the address posted to.
bool hasParameter(const QByteArray &data, const QUrl &target, const QString &name)
{
    const QByteArray bare = QByteArray("&") + name.toUtf8();
    return data.contains(QByteArray(bare + '=')) || data.contains(QByteArray(bare + '&')) || data.endsWith(bare)
        || QUrlQuery(target).hasQueryItem(name);
}

// Posted with a value, posted bare, or in the query: a form that always
// posts the field, empty for a send, marks a draft by its value.
bool marksDraft(const QByteArray &data, const QUrl &target, const QString &name)
{
    const QByteArray bare = QByteArray("&") + name.toUtf8();
    for (qsizetype at = data.indexOf(bare); at >= 0; at = data.indexOf(bare, at + 1)) {
        const qsizetype after = at + bare.size();
        if (after == data.size() || data.at(after) == '&')
            return true;
        if (data.at(after) == '=' && after + 1 < data.size() && data.at(after + 1) != '&')
            return true;
    }
    return QUrlQuery(target).hasQueryItem(name);
}

// A press of the send button, not a draft being saved.
bool isSend(const ComposeFormNames &names, const QByteArray &data, const QUrl &target)
{
    if (!names.draftParameter.isEmpty() && marksDraft(data, target, names.draftParameter))
        return false;
    return names.sendParameter.isEmpty() || hasParameter(data, target, names.sendParameter);
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

std::optional<UnansweredSend> CaptureSentMessage(ComposeHost &host, MessageSaveHost &store, const QUrl &target,
                                                 const QByteArray &postData, const QString &charset)
{
    if (host.mergeInProgress() || !host.saveSentCopies() || postData.isEmpty())
        return std::nullopt;
    // Every parameter is looked for after an "&": the form's first field
    // has none in front of it.
    const QByteArray data = '&' + postData;
    const ProviderProfile *profile = senderProfile(data);
    // Not a compose form's submission, or not a send.
    if (!profile || !isSend(profile->compose, data, target))
        return std::nullopt;
    const ComposeFormNames &names = profile->compose;
    const auto parameter = [&](const QString &name) { return ReadPostParameter(data, parameterKey(name), charset); };
    // Recipient widgets post a separator after the last address.
    const auto recipients = [&](const QString &name) {
        QString list = parameter(name).trimmed();
        while (list.endsWith(QLatin1Char(',')))
            list = list.chopped(1).trimmed();
        return list;
    };
    SavedMessage message;
    message.to = recipients(names.to);
    // A send without a recipient, which the site refuses.
    if (message.to.isEmpty())
        return std::nullopt;
    message.from = QStringLiteral("Sent Message");
    message.bcc = recipients(names.bcc);
    message.cc = recipients(names.cc);
    message.subject = parameter(names.subject);
    message.body = sentBodyAsHtml(parameter(names.body));
    message.date = sentCopyDateText(QDateTime::currentDateTime());
    message.isSent = true;
    if (!profile->pageScript.isEmpty())
        return UnansweredSend{message, profile->pageScript};
    SaveMessage(store, message);
    return std::nullopt;
}

} // namespace ferrowen

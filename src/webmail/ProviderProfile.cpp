#include "webmail/ProviderProfile.h"

namespace ferrowen {

QString DetectProvider(const QString &inboxLocation)
{
    return inboxLocation.toLower().contains(YahooKey) ? YahooKey : HotmailKey;
}

ComposeFieldNames composeFieldsFor(const QString &providerKey)
{
    if (providerKey == YahooKey) {
        return {QStringLiteral("compose"), QStringLiteral("To"), QStringLiteral("Cc"),
                QStringLiteral("Bcc"), QStringLiteral("Subj"), QStringLiteral("Body")};
    }
    return {QStringLiteral("composeform"), QStringLiteral("to"), QStringLiteral("cc"),
            QStringLiteral("bcc"), QStringLiteral("subject"), QStringLiteral("body")};
}

} // namespace ferrowen

#include "webmail/ProviderProfile.h"

#include <vector>

namespace ferrowen {

namespace {

ProviderProfile yahoo()
{
    ProviderProfile p;
    p.key = YahooKey;
    p.addressWord = QStringLiteral("yahoo");
    p.compose = {QStringLiteral("compose"), QStringLiteral("To"), QStringLiteral("Cc"),
                 QStringLiteral("Bcc"), QStringLiteral("Subj"), QStringLiteral("Body")};
    p.plainTextMirror = {QStringLiteral("plainmsg"), QStringLiteral("Compose"), QStringLiteral("PlainMsg"),
                         QStringLiteral("to")};
    p.displayedMessage = {QStringLiteral("message"), QString()};
    p.inboxList = {QStringLiteral("messageList"), QStringLiteral("Mid"), QString(), QString()};
    p.startAddress = QStringLiteral("https://mail.yahoo.com/");
    p.calendarAddress = QStringLiteral("https://calendar.yahoo.com/");
    return p;
}

ProviderProfile hotmail()
{
    ProviderProfile p;
    p.key = HotmailKey;
    p.compose = {QStringLiteral("composeform"), QStringLiteral("to"), QStringLiteral("cc"),
                 QStringLiteral("bcc"), QStringLiteral("subject"), QStringLiteral("body")};
    p.recipientFromAngleBracket = true;
    p.displayedMessage = {QString(), QStringLiteral("rmsg")};
    p.inboxList = {QStringLiteral("hotmail"), QString(), QStringLiteral("checkbox"), QStringLiteral("allbox")};
    p.startAddress = QStringLiteral("https://outlook.live.com/");
    p.calendarAddress = QStringLiteral("https://outlook.live.com/calendar/");
    return p;
}

// Every provider the automation knows, in the order they are recognised.
const std::vector<ProviderProfile> &providerProfiles()
{
    static const std::vector<ProviderProfile> profiles{yahoo(), hotmail()};
    return profiles;
}

} // namespace

const QString &ComposeFormNames::field(ComposeField role) const
{
    switch (role) {
    case ComposeField::To: return to;
    case ComposeField::Cc: return cc;
    case ComposeField::Bcc: return bcc;
    case ComposeField::Subject: return subject;
    case ComposeField::Body: return body;
    }
    return to;
}

const ProviderProfile &profileForInboxAddress(const QString &inboxLocation)
{
    const QString address = inboxLocation.toLower();
    const auto &profiles = providerProfiles();
    for (const ProviderProfile &profile : profiles) {
        if (!profile.addressWord.isEmpty() && address.contains(profile.addressWord))
            return profile;
    }
    return profiles.back();
}

const SavedMessageElementIds &savedMessageElementIds()
{
    static const SavedMessageElementIds ids{QStringLiteral("replyto"), QStringLiteral("to"),
                                            QStringLiteral("cc"),      QStringLiteral("bcc"),
                                            QStringLiteral("body"),    QStringLiteral("subject")};
    return ids;
}

} // namespace ferrowen

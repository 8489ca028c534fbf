#include "webmail/ProviderProfile.h"

#include <vector>

namespace ferrowen {

namespace {

// Eight versions of each provider's message page: English first, then
// German, French, Spanish, Italian, Portuguese, Dutch and Swedish.
QList<MessageHeaderLabels> yahooHeaderLabels()
{
    const auto labels = [](const char16_t *from, const char16_t *to, const char16_t *replyTo,
                           const char16_t *subject, const char16_t *date) {
        return MessageHeaderLabels{QString::fromUtf16(from), QString::fromUtf16(to), QString::fromUtf16(replyTo),
                                   QString::fromUtf16(subject), QString::fromUtf16(date)};
    };
    return {
        labels(u"From:", u"To:", u"Reply-To:", u"Subject:", u"Date:"),
        labels(u"Von:", u"An:", u"Antwort an:", u"Betreff:", u"Datum:"),
        labels(u"De:", u"\u00c0:", u"R\u00e9pondre \u00e0:", u"Objet:", u"Date:"),
        labels(u"De:", u"Para:", u"Responder a:", u"Asunto:", u"Fecha:"),
        labels(u"Da:", u"A:", u"Rispondi a:", u"Oggetto:", u"Data:"),
        labels(u"De:", u"Para:", u"Responder para:", u"Assunto:", u"Data:"),
        labels(u"Van:", u"Aan:", u"Antwoord aan:", u"Onderwerp:", u"Datum:"),
        labels(u"Fr\u00e5n:", u"Till:", u"Svara till:", u"\u00c4mne:", u"Datum:"),
    };
}

// The Hotmail pages put a space before each colon.
QList<MessageHeaderLabels> hotmailHeaderLabels()
{
    QList<MessageHeaderLabels> labels = yahooHeaderLabels();
    for (MessageHeaderLabels &set : labels) {
        for (QString *label : {&set.from, &set.to, &set.replyTo, &set.subject, &set.date})
            label->insert(label->size() - 1, QLatin1Char(' '));
    }
    return labels;
}

// The body of a page whose body element is known by its class alone: the
// last element of exactly that class (a conversation shows earlier
// messages above the one opened), read as HTML.
ElementWalk lastOfClass(const QString &className)
{
    ElementWalk walk;
    walk.conditions = {{ElementProperty::ClassName, className}};
    walk.read = {ElementProperty::InnerHtml};
    walk.lastOnly = true;
    return walk;
}

// The elements of a form that meet the conditions, read for their tick.
ElementWalk checkBoxesOf(const QString &form, QList<ElementCondition> conditions)
{
    ElementWalk walk;
    walk.form = form;
    walk.conditions = std::move(conditions);
    walk.read = {ElementProperty::Checked};
    return walk;
}

ProviderProfile yahoo()
{
    ProviderProfile p;
    p.key = YahooKey;
    p.displayName = QStringLiteral("Yahoo Mail");
    p.addressWord = QStringLiteral("yahoo");
    p.compose = {QStringLiteral("compose"), QStringLiteral("To"), QStringLiteral("Cc"),
                 QStringLiteral("Bcc"), QStringLiteral("Subj"), QStringLiteral("Body"),
                 QStringLiteral("SEND"), QStringLiteral("SAVEDRAFT")};
    p.plainTextMirror = {QStringLiteral("plainmsg"), QStringLiteral("Compose"), QStringLiteral("PlainMsg"),
                         QStringLiteral("to")};
    p.displayedMessage = {QStringLiteral("message"), {}, yahooHeaderLabels()};
    p.messageBoxes = checkBoxesOf(QStringLiteral("messageList"), {{ElementProperty::Name, QStringLiteral("Mid")}});
    p.startAddress = QStringLiteral("https://mail.yahoo.com/");
    p.calendarAddress = QStringLiteral("https://calendar.yahoo.com/");
    return p;
}

ProviderProfile hotmail()
{
    ProviderProfile p;
    p.key = HotmailKey;
    p.displayName = QStringLiteral("MSN Hotmail");
    p.compose = {QStringLiteral("composeform"), QStringLiteral("to"), QStringLiteral("cc"),
                 QStringLiteral("bcc"), QStringLiteral("subject"), QStringLiteral("body"),
                 QStringLiteral("Send.x"), QString()};
    p.recipientFromAngleBracket = true;
    p.displayedMessage = {QString(), lastOfClass(QStringLiteral("rmsg")), hotmailHeaderLabels()};
    // The select-all box at the top is no message's box.
    p.messageBoxes = checkBoxesOf(QStringLiteral("hotmail"), {{ElementProperty::Type, QStringLiteral("checkbox")},
                                                              {ElementProperty::Name, QStringLiteral("allbox"), false}});
    p.startAddress = QStringLiteral("https://outlook.live.com/");
    p.calendarAddress = QStringLiteral("https://outlook.live.com/calendar/");
    return p;
}

// Roundcube is served from any address: its pages are known by their
// markers. Its compose form posts into a hidden frame with an empty draft
// field for a send; the recipient widgets take the value and the page's
// change event; a displayed message is read from its header cells (the
// table is hidden until "Details"), not from the rendered text.
ProviderProfile roundcube()
{
    ProviderProfile p;
    p.key = RoundcubeKey;
    p.displayName = QStringLiteral("Roundcube");
    p.pageScript = QStringLiteral("roundcube.js");
    p.composeQuery = QStringLiteral("_task=mail&_action=compose");
    p.compose = {QStringLiteral("form"), QStringLiteral("_to"), QStringLiteral("_cc"),
                 QStringLiteral("_bcc"), QStringLiteral("_subject"), QStringLiteral("_message"),
                 QString(), QStringLiteral("_draft")};
    p.asksBeforeEmptyBody = true;
    p.displayedMessage = {QStringLiteral("messagebody"), {}, {}};
    return p;
}

} // namespace

const std::vector<ProviderProfile> &providerProfiles()
{
    // Hotmail stays last: it serves every address no other profile claims.
    static const std::vector<ProviderProfile> profiles{yahoo(), roundcube(), hotmail()};
    return profiles;
}

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

const ProviderProfile &profileForKey(const QString &key)
{
    const auto &profiles = providerProfiles();
    for (const ProviderProfile &profile : profiles) {
        if (profile.key == key)
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

#pragma once

#include <QList>
#include <QString>

namespace ferrowen::demowebmail {

// The texts that introduce each header value on a displayed message. Message
// capture cuts the values out of the page's rendered text by these labels,
// so they are written into the page exactly as they stand here, each label
// followed by one space and its value on a line of its own.
struct MessageHeaderLabels
{
    QString from;
    QString to;
    QString replyTo;
    QString subject;
    QString date;
};

// Yahoo-style page, lines in this order: From, To, Reply-To (when the
// message has one), Subject, Date. The From line ends with " | Add to
// Address Book", so the sender ends before the "|".
inline const MessageHeaderLabels YahooHeaderLabels{
    QStringLiteral("From:"),
    QStringLiteral("To:"),
    QStringLiteral("Reply-To:"),
    QStringLiteral("Subject:"),
    QStringLiteral("Date:"),
};

// Hotmail-style page, lines in this order: From, Reply-To (when the message
// has one), To, Subject, Date.
inline const MessageHeaderLabels HotmailHeaderLabels{
    QStringLiteral("From :"),
    QStringLiteral("To :"),
    QStringLiteral("Reply-To :"),
    QStringLiteral("Subject :"),
    QStringLiteral("Date :"),
};

// A message page can be shown in another language ("message?id=1&lang=de"):
// the same page with the header labels of that language.
struct PageLanguage
{
    QString code;
    MessageHeaderLabels yahoo;
    MessageHeaderLabels hotmail;
};

// English ("en") first, then German, French, Spanish, Italian, Portuguese,
// Dutch and Swedish.
inline const QList<PageLanguage> &pageLanguages()
{
    static const QList<PageLanguage> languages = [] {
        const auto language = [](const char *code, const char16_t *from, const char16_t *to, const char16_t *replyTo,
                                 const char16_t *subject, const char16_t *date) {
            const MessageHeaderLabels yahoo{QString::fromUtf16(from) + u':', QString::fromUtf16(to) + u':',
                                            QString::fromUtf16(replyTo) + u':', QString::fromUtf16(subject) + u':',
                                            QString::fromUtf16(date) + u':'};
            const MessageHeaderLabels hotmail{QString::fromUtf16(from) + u" :", QString::fromUtf16(to) + u" :",
                                              QString::fromUtf16(replyTo) + u" :", QString::fromUtf16(subject) + u" :",
                                              QString::fromUtf16(date) + u" :"};
            return PageLanguage{QString::fromLatin1(code), yahoo, hotmail};
        };
        return QList<PageLanguage>{
            {QStringLiteral("en"), YahooHeaderLabels, HotmailHeaderLabels},
            language("de", u"Von", u"An", u"Antwort an", u"Betreff", u"Datum"),
            language("fr", u"De", u"\u00c0", u"R\u00e9pondre \u00e0", u"Objet", u"Date"),
            language("es", u"De", u"Para", u"Responder a", u"Asunto", u"Fecha"),
            language("it", u"Da", u"A", u"Rispondi a", u"Oggetto", u"Data"),
            language("pt", u"De", u"Para", u"Responder para", u"Assunto", u"Data"),
            language("nl", u"Van", u"Aan", u"Antwoord aan", u"Onderwerp", u"Datum"),
            language("sv", u"Fr\u00e5n", u"Till", u"Svara till", u"\u00c4mne", u"Datum"),
        };
    }();
    return languages;
}

} // namespace ferrowen::demowebmail

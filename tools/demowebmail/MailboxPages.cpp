#include "demowebmail/MailboxPages.h"

#include "demowebmail/CalendarWeeks.h"
#include "demowebmail/FormFields.h"
#include "demowebmail/PageFrame.h"
#include "demowebmail/PageTemplate.h"
#include "demowebmail/RetainedPosts.h"

#include <QLocale>
#include <QVariantList>

namespace ferrowen::demowebmail {

namespace {

QVariantMap composeValues(const ComposeFields &fields)
{
    return {
        {QStringLiteral("to"), fields.to},
        {QStringLiteral("cc"), fields.cc},
        {QStringLiteral("bcc"), fields.bcc},
        {QStringLiteral("subject"), fields.subject},
        {QStringLiteral("body"), fields.body},
    };
}

QVariantMap sentValues(const SentMessage &message)
{
    return {
        {QStringLiteral("id"), message.id},
        {QStringLiteral("to"), message.to},
        {QStringLiteral("cc"), message.cc},
        {QStringLiteral("bcc"), message.bcc},
        {QStringLiteral("subject"), RetainedPosts::shownText(message.subject)},
        {QStringLiteral("body"), RetainedPosts::shownText(message.body)},
    };
}

QString padded(const QString &content, const PageSize &size)
{
    if (size.padding <= 0)
        return content;
    const PagePadding padding = pagePadding(size.padding);
    return padding.before + content + padding.after;
}

} // namespace

MailboxPages::MailboxPages(const MailboxProfile &profile)
    : m_profile(profile)
    , m_inbox(seededInbox(profile.key))
{
}

QString MailboxPages::framedHere(const QString &title, const QString &page, const QString &content,
                                 const QString &script, const QString &charset) const
{
    const PageFrame frame{title + QStringLiteral(" - ") + m_profile.brand, m_profile.brand, m_profile.key, page,
                          m_profile.key, script, charset};
    return frame.wrap(content);
}

QString MailboxPages::loginPage() const
{
    const QString content = PageTemplate::renderResource(QStringLiteral("common/login.html"),
                                                         {{QStringLiteral("segment"), m_profile.key}});
    // Signed out: no mailbox navigation yet.
    const PageFrame frame{QStringLiteral("Sign in - ") + m_profile.brand, m_profile.brand, m_profile.key,
                          QStringLiteral("login"), QString(), QString()};
    return frame.wrap(content);
}

QString MailboxPages::inboxPage(const QSet<int> &ticked, const QString &notice, const PageSize &size) const
{
    const QList<InboxMessage> inbox = inboxOfRows(m_inbox, size.rows);
    QVariantList rows;
    for (const InboxMessage &message : inbox) {
        rows.append(QVariantMap{
            {QStringLiteral("id"), message.id},
            {QStringLiteral("sender"), message.fromName.isEmpty() ? message.fromAddress : message.fromName},
            {QStringLiteral("subject"), message.subject},
            {QStringLiteral("shortDate"), message.shortDate()},
            {QStringLiteral("unread"), message.unread},
            {QStringLiteral("ticked"), ticked.contains(message.id)},
        });
    }
    const QString content = PageTemplate::renderResource(m_profile.templateName(QStringLiteral("inbox")),
                                                         {
                                                             {QStringLiteral("messages"), rows},
                                                             {QStringLiteral("messageCount"), inbox.size()},
                                                             {QStringLiteral("notice"), notice},
                                                         });
    return framedHere(QStringLiteral("Inbox"), QStringLiteral("inbox"), padded(content, size), m_profile.inboxScript);
}

std::optional<QString> MailboxPages::messagePage(int id, const QString &language, bool printView,
                                                 const PageSize &size) const
{
    MessageHeaderLabels labels = m_profile.labels;
    for (const PageLanguage &known : pageLanguages()) {
        if (known.code == language)
            labels = m_profile.key == QLatin1String("yahoo") ? known.yahoo : known.hotmail;
    }
    QList<InboxMessage> candidates = m_inbox;
    if (const std::optional<InboxMessage> generated = generatedMessage(m_inbox, id))
        candidates.append(*generated);
    for (const InboxMessage &message : std::as_const(candidates)) {
        if (message.id != id)
            continue;
        const QString content = PageTemplate::renderResource(
            m_profile.templateName(QStringLiteral("message")),
            {
                {QStringLiteral("fromLabel"), labels.from},
                {QStringLiteral("toLabel"), labels.to},
                {QStringLiteral("replyToLabel"), labels.replyTo},
                {QStringLiteral("subjectLabel"), labels.subject},
                {QStringLiteral("dateLabel"), labels.date},
                {QStringLiteral("from"), message.from()},
                {QStringLiteral("to"), message.to},
                {QStringLiteral("replyTo"), message.replyTo},
                {QStringLiteral("subject"), message.subject},
                {QStringLiteral("date"), message.date},
                {QStringLiteral("bodyKind"), message.isHtml ? QStringLiteral("html") : QStringLiteral("plain")},
                // Seeded markup is the site's own; plain text is escaped.
                {QStringLiteral("bodyHtml"), message.isHtml ? message.body : message.body.toHtmlEscaped()},
                {QStringLiteral("printView"), printView},
                {QStringLiteral("earlier"), message.earlierBody.isEmpty()
                                                ? QVariant()
                                                : QVariant(QVariantMap{{QStringLiteral("from"), message.earlierFrom},
                                                                       {QStringLiteral("body"), message.earlierBody}})},
            });
        return framedHere(message.subject, QStringLiteral("message"), padded(content, size));
    }
    return std::nullopt;
}

QString MailboxPages::composePage(const ComposeFields &fields, const QString &error, const QString &notice,
                                  const QString &charset) const
{
    QVariantMap values = composeValues(fields);
    values.insert(QStringLiteral("error"), error);
    values.insert(QStringLiteral("notice"), notice);
    values.insert(QStringLiteral("charset"), charset);
    // The posts of a page in another encoding say so, for the site to read them.
    values.insert(QStringLiteral("legacyCharset"),
                  charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ? QString() : charset);
    const QString content =
        PageTemplate::renderResource(m_profile.templateName(QStringLiteral("compose")), values);
    return framedHere(QStringLiteral("New message"), QStringLiteral("compose"), content, QString(), charset);
}

QString MailboxPages::richComposePage(const QString &notice) const
{
    const QString content = PageTemplate::renderResource(QStringLiteral("common/compose-rich.html"),
                                                         {
                                                             {QStringLiteral("segment"), m_profile.key},
                                                             {QStringLiteral("notice"), notice},
                                                         });
    return framedHere(QStringLiteral("New message (rich text)"), QStringLiteral("compose-rich"), content);
}

QString MailboxPages::calendarPage(QDate month, QDate today) const
{
    const QDate first(month.year(), month.month(), 1);
    QVariantList weeks;
    for (const QList<QDate> &week : calendarWeeks(first)) {
        QVariantList days;
        for (const QDate &day : week) {
            days.append(QVariantMap{
                {QStringLiteral("day"), day.day()},
                {QStringLiteral("outside"), day.month() != first.month()},
                {QStringLiteral("today"), day == today},
            });
        }
        weeks.append(QVariantMap{{QStringLiteral("days"), days}});
    }
    const QString monthFormat = QStringLiteral("yyyy-MM");
    const QString content = PageTemplate::renderResource(
        QStringLiteral("common/calendar.html"),
        {
            {QStringLiteral("segment"), m_profile.key},
            {QStringLiteral("monthTitle"), QLocale::c().toString(first, QStringLiteral("MMMM yyyy"))},
            {QStringLiteral("previousMonth"), first.addMonths(-1).toString(monthFormat)},
            {QStringLiteral("nextMonth"), first.addMonths(1).toString(monthFormat)},
            {QStringLiteral("weeks"), weeks},
        });
    return framedHere(QStringLiteral("Calendar"), QStringLiteral("calendar"), content);
}

QString MailboxPages::sentPage(const QList<SentMessage> &sent, int confirmedId) const
{
    QVariantList rows;
    QVariant confirmed;
    // Newest first, as a sent folder lists them.
    for (auto message = sent.crbegin(); message != sent.crend(); ++message) {
        if (message->mailbox != m_profile.key)
            continue;
        if (rows.size() < RetainedPosts::MaxListed) {
            QVariantMap row = sentValues(*message);
            row.insert(QStringLiteral("current"), message->id == confirmedId);
            rows.append(row);
        }
        if (message->id == confirmedId)
            confirmed = sentValues(*message);
        if (rows.size() >= RetainedPosts::MaxListed && (confirmed.isValid() || confirmedId == 0))
            break;
    }
    const QString content = PageTemplate::renderResource(QStringLiteral("common/sent.html"),
                                                         {
                                                             {QStringLiteral("segment"), m_profile.key},
                                                             {QStringLiteral("messages"), rows},
                                                             {QStringLiteral("confirmed"), confirmed},
                                                         });
    const QString title = confirmed.isValid() ? QStringLiteral("Message sent") : QStringLiteral("Sent");
    return framedHere(title, QStringLiteral("sent"), content);
}

QSet<int> MailboxPages::tickedMessages(const FormFields &posted) const
{
    QSet<int> ticked;
    // The boxes of an inbox asked for with more rows come back too.
    for (const InboxMessage &message : inboxOfRows(m_inbox, PageSize::MaxRows)) {
        if (posted.values(m_profile.messageBoxName(message.id)).contains(m_profile.messageBoxValue(message.id)))
            ticked.insert(message.id);
    }
    return ticked;
}

} // namespace ferrowen::demowebmail

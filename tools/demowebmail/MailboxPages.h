#pragma once

#include "demowebmail/ComposeSubmission.h"
#include "demowebmail/InboxMessage.h"
#include "demowebmail/MailboxProfile.h"
#include "demowebmail/PageSize.h"
#include "demowebmail/SentMessage.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace ferrowen::demowebmail {

class FormFields;

// Renders the pages of one demo mailbox from its templates. Holds the
// mailbox's seeded inbox; knows nothing about HTTP.
class MailboxPages
{
public:
    explicit MailboxPages(const MailboxProfile &profile);

    const MailboxProfile &profile() const { return m_profile; }

    QString loginPage() const;
    // ticked: ids whose boxes are shown ticked (kept after an inbox post).
    // size: more rows and page furniture, as "rows" and "pad" ask.
    QString inboxPage(const QSet<int> &ticked = {}, const QString &notice = {}, const PageSize &size = {}) const;
    // None for an id that is not in the inbox (of the most rows it can
    // have). language: a code of pageLanguages() (another shows English);
    // printView: the page to print, whose body sits in no element the
    // normal page has; size: page furniture, as "pad" asks.
    std::optional<QString> messagePage(int id, const QString &language = {}, bool printView = false,
                                       const PageSize &size = {}) const;
    // charset: the encoding the page and its form are sent in, "UTF-8" or
    // "windows-1252" (as older sites still do).
    QString composePage(const ComposeFields &fields = {}, const QString &error = {},
                        const QString &notice = {}, const QString &charset = QStringLiteral("UTF-8")) const;
    QString richComposePage(const QString &notice = {}) const;
    QString calendarPage(QDate month, QDate today) const;
    // confirmedId: the message to confirm as just sent; 0 for none. Lists
    // the newest messages as far as RetainedPosts lists and shows them.
    QString sentPage(const QList<SentMessage> &sent, int confirmedId) const;

    // The ids whose boxes were ticked in a post of the inbox form.
    QSet<int> tickedMessages(const FormFields &posted) const;

private:
    QString framedHere(const QString &title, const QString &page, const QString &content,
                       const QString &script = {}, const QString &charset = QStringLiteral("utf-8")) const;

    const MailboxProfile &m_profile;
    QList<InboxMessage> m_inbox;
};

} // namespace ferrowen::demowebmail

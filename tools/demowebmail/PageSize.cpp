#include "demowebmail/PageSize.h"

#include "demowebmail/FormFields.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace ferrowen::demowebmail {

namespace {

int boundedNumber(const QString &text, int maximum)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? std::clamp(number, 0, maximum) : 0;
}

// Empty elements that make up the count where no whole piece fits.
QString spacers(int count)
{
    return QStringLiteral("<span class=\"gap\"></span>").repeated(count);
}

// A folder tree of `elements` elements: the folder names with their counts.
QString folderTree(int elements)
{
    if (elements < 2)
        return spacers(elements);
    QString html = QStringLiteral("<aside class=\"furniture\"><ul class=\"folders\">");
    int left = elements - 2;
    for (int folder = 1; left >= 5; ++folder, left -= 5) {
        html += QStringLiteral("<li class=\"fl\"><a class=\"fl-link\" href=\"#f%1\"><span class=\"fl-icon\"></span>"
                               "<span class=\"fl-name\">Folder %1</span><span class=\"fl-count\">%2</span></a></li>")
                    .arg(folder)
                    .arg(folder % 7);
    }
    return html + QStringLiteral("</ul>") + spacers(left) + QStringLiteral("</aside>");
}

// Menus kept hidden until opened, between offers with a line break each.
QString menusAndOffers(int elements)
{
    if (elements < 1)
        return {};
    QString html = QStringLiteral("<div class=\"furniture\">");
    int left = elements - 1;
    for (int item = 1; left >= 3; ++item) {
        html += QStringLiteral("<div class=\"mi\" hidden><span class=\"mi-label\">Action %1</span>"
                               "<a class=\"mi-key\" href=\"#a%1\">Key %1</a></div>")
                    .arg(item);
        left -= 3;
        if (left >= 2) {
            html += QStringLiteral("<p class=\"offer\">Offer %1<br>Save %2 percent</p>").arg(item).arg(item % 50);
            left -= 2;
        }
    }
    return html + spacers(left) + QStringLiteral("</div>");
}

} // namespace

PageSize PageSize::fromQuery(const FormFields &query)
{
    return {boundedNumber(query.value(QStringLiteral("rows")), MaxRows),
            boundedNumber(query.value(QStringLiteral("pad")), MaxPadding)};
}

PagePadding pagePadding(int elements)
{
    const int before = std::max(elements, 0) / 2;
    return {folderTree(before), menusAndOffers(std::max(elements, 0) - before)};
}

std::optional<InboxMessage> generatedMessage(const QList<InboxMessage> &seeded, int id)
{
    int lastSeeded = 0;
    for (const InboxMessage &message : seeded)
        lastSeeded = std::max(lastSeeded, message.id);
    const int number = id - lastSeeded;
    if (number < 1 || number > PageSize::MaxRows)
        return std::nullopt;

    static const char *const senders[][2] = {
        {"Digest Desk", "digest@news.example"}, {"Lena Ortiz", "lena@example.org"},
        {"Build Robot", "builds@ci.example"}, {"", "alerts@bank.example"},
    };
    const auto &sender = senders[number % 4];
    InboxMessage message;
    message.id = id;
    message.fromName = QString::fromLatin1(sender[0]);
    message.fromAddress = QString::fromLatin1(sender[1]);
    message.to = QStringLiteral("you@demo.example");
    message.subject = QStringLiteral("Weekly digest number %1").arg(number);
    // Older than every seeded message, an hour apart.
    const QDateTime when = QDateTime(QDate(2026, 10, 1), QTime(12, 0), Qt::UTC).addSecs(-3600LL * number);
    message.date = QLocale::c().toString(when, QStringLiteral("ddd, d MMM yyyy HH:mm:ss")) + QStringLiteral(" +0000");
    message.body = QStringLiteral("Digest %1 of the demo mailbox.\r\nNothing to act on.").arg(number);
    message.unread = number % 3 == 0;
    return message;
}

QList<InboxMessage> inboxOfRows(const QList<InboxMessage> &seeded, int rows)
{
    QList<InboxMessage> inbox = seeded;
    int lastSeeded = 0;
    for (const InboxMessage &message : seeded)
        lastSeeded = std::max(lastSeeded, message.id);
    for (int id = lastSeeded + 1; inbox.size() < rows; ++id) {
        const std::optional<InboxMessage> message = generatedMessage(seeded, id);
        if (!message)
            break;
        inbox.append(*message);
    }
    return inbox;
}

} // namespace ferrowen::demowebmail

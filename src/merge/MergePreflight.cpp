#include "merge/MergePreflight.h"

#include <QStringList>

#include <algorithm>

namespace ferrowen {

namespace {

// A long body is cut for the question; the form shows it whole in Test.
constexpr int ShownBodyCharacters = 600;

QString rows(int count)
{
    return count == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(count);
}

QString messages(int count)
{
    return count == 1 ? QStringLiteral("1 message") : QStringLiteral("%1 messages").arg(count);
}

} // namespace

QString mergeDurationText(qint64 milliseconds)
{
    const qint64 seconds = (std::max<qint64>(milliseconds, 0) + 999) / 1000;
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return seconds % 60 ? QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60)
                            : QStringLiteral("%1 min").arg(seconds / 60);
    const qint64 minutes = (seconds + 59) / 60;
    return minutes % 60 ? QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60)
                        : QStringLiteral("%1 h").arg(minutes / 60);
}

QString mergePreflightText(const MergePlan &plan, const MergeSettings &settings)
{
    const int sending = settings.stopAfter > 0 ? std::min(plan.toSend, settings.stopAfter) : plan.toSend;
    QStringList lines;
    lines << QStringLiteral("%1 will be sent, one to each address.").arg(messages(sending));
    if (sending < plan.toSend)
        lines << QStringLiteral("The run stops after %1; the other %2 can be sent later with Resume.")
                     .arg(messages(sending), QString::number(plan.toSend - sending));
    if (plan.doneBefore > 0)
        lines << QStringLiteral("%1 already done by the unfinished merge %2 not sent again.")
                     .arg(rows(plan.doneBefore), plan.doneBefore == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    if (plan.withoutAddress > 0)
        lines << QStringLiteral("%1 skipped: no address.").arg(rows(plan.withoutAddress) + (plan.withoutAddress == 1 ? QStringLiteral(" is") : QStringLiteral(" are")));
    if (plan.notSentAgain > 0)
        lines << QStringLiteral("%1 skipped: a message may already have gone out.")
                     .arg(rows(plan.notSentAgain) + (plan.notSentAgain == 1 ? QStringLiteral(" is") : QStringLiteral(" are")));
    if (settings.pauseSeconds > 0 && sending > 1)
        lines << QStringLiteral("With a pause of %1 s between messages the run takes at least %2.")
                     .arg(settings.pauseSeconds)
                     .arg(mergeDurationText(qint64(settings.pauseSeconds) * 1000 * (sending - 1)));
    if (sending > 0) {
        QString body = plan.firstBody;
        if (body.size() > ShownBodyCharacters)
            body = body.left(ShownBodyCharacters) + QStringLiteral(" [...]");
        lines << QString() << QStringLiteral("The first message, to %1:").arg(plan.firstAddress)
              << QStringLiteral("Subject: ") + plan.firstSubject << QString() << body << QString()
              << QStringLiteral("Send the messages?");
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace ferrowen

#pragma once

#include <QStringList>

class QTextStream;

namespace ferrowen {

class MailtoHandoffWriter;
class UserNotifier;

enum CompanionExitCode { LinkHandedOver = 0, LinkNotHandedOver = 1, NotAMailtoLink = 2 };

// What sorvik2 does with its command line (program name first): hands the
// mailto link in the first argument over through `writer`. A link that
// cannot be handed over is never dropped silently: the user hears of it
// through `notifier` and the exit code says so. Progress notes go to `err`.
CompanionExitCode runCompanion(const QStringList &arguments, MailtoHandoffWriter &writer, UserNotifier &notifier,
                               QTextStream &err);

} // namespace ferrowen

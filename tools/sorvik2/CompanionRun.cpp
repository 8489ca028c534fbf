#include "sorvik2/CompanionRun.h"

#include "sorvik2/MailtoHandoffWriter.h"
#include "sorvik2/UserNotifier.h"

#include <QTextStream>

namespace ferrowen {

CompanionExitCode runCompanion(const QStringList &arguments, MailtoHandoffWriter &writer, UserNotifier &notifier,
                               QTextStream &err)
{
    // Started without a link (from a menu, say): nothing to hand over.
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return LinkHandedOver;

    const QString link = arguments.at(1);
    if (!isMailtoLink(link)) {
        err << "sorvik2: ignoring \"" << link << "\": not a mailto link\n";
        return NotAMailtoLink;
    }

    const Status handed = writer.write(link, [&err] {
        err << "sorvik2: earlier mail links have not been picked up yet; waiting for them\n";
        err.flush();
    });
    if (handed)
        return LinkHandedOver;

    const QString body = QStringLiteral("This link was not handed over to Ferrowen: %1\n%2").arg(link, handed.error());
    if (const Status told = notifier.notify(QStringLiteral("Mail link not handed over"), body); !told) {
        // The last place left to say it.
        err << "sorvik2: " << body << " (" << told.error() << ")\n";
    }
    return LinkNotHandedOver;
}

} // namespace ferrowen

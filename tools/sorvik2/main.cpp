// sorvik2: hands a mailto link to Ferrowen. The desktop starts it with the
// link as its first argument; it stores the link in "Settings"/"mailto" of
// the settings file, where the running program picks it up, and waits its
// turn when earlier links are still waiting there.

#include "settings/SettingsFile.h"
#include "platform/CommandLine.h"
#include "sorvik2/CompanionRun.h"
#include "sorvik2/DesktopNotifier.h"
#include "sorvik2/MailtoHandoffWriter.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace ferrowen;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    CommandLine commandLine(QStringLiteral("sorvik2"), QStringLiteral("Hands a mail link to Ferrowen."),
                            QStringLiteral("[options] [mailto-link]"));
    commandLine.allowArguments(1, QStringLiteral("  mailto-link  The link to open in Ferrowen's Compose tab, such as\n"
                                                 "               'mailto:ann@example.com?subject=Hello'."));
    if (const std::optional<int> exitCode = commandLine.parse(QCoreApplication::arguments(), out, err))
        return *exitCode;

    SettingsFile settings;
    MailtoHandoffWriter writer(settings.profile());
    DesktopNotifier notifier(err);
    return runCompanion(QStringList{QCoreApplication::arguments().constFirst()} + commandLine.arguments(), writer, notifier,
                        err);
}

// sorvik2: hands a mailto link to Ferrowen. The desktop starts it with the
// link as its first argument; it stores the link in "Settings"/"mailto" of
// the settings file, where the running program picks it up, and waits its
// turn when earlier links are still waiting there.

#include "app/settings/SettingsFile.h"
#include "sorvik2/CompanionRun.h"
#include "sorvik2/DesktopNotifier.h"
#include "sorvik2/MailtoHandoffWriter.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace ferrowen;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);

    SettingsFile settings;
    MailtoHandoffWriter writer(settings.profile());
    DesktopNotifier notifier(err);
    return runCompanion(QCoreApplication::arguments(), writer, notifier, err);
}

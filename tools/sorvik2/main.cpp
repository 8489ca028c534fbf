// sorvik2: hands a mailto link to Ferrowen. The desktop starts it with the
// link as its first argument; it stores the link in "Settings"/"mailto" of
// the settings file, where the running program picks it up within a second.

#include "sorvik2/MailtoHandoffWriter.h"

#include "app/settings/SettingsFile.h"
#include "platform/ProfileFile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace ferrowen;

namespace {

enum ExitCode { Handed = 0, NotHanded = 1, NotAMailtoLink = 2 };

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return Handed;

    const QString link = arguments.at(1);
    if (!isMailtoLink(link)) {
        err << "sorvik2: ignoring \"" << link << "\": not a mailto link\n";
        return NotAMailtoLink;
    }
    if (linkForSettingsFile(link).trimmed().size() > ProfileFile::readLimit) {
        err << "sorvik2: the link is longer than " << ProfileFile::readLimit
            << " characters; Ferrowen reads only that much of it\n";
    }

    SettingsFile settings;
    MailtoHandoffWriter writer(settings.profile());
    const MailtoHandoffWriter::Outcome outcome = writer.write(link, [&err] {
        err << "sorvik2: an earlier mail link has not been picked up yet; waiting for it\n";
        err.flush();
    });

    switch (outcome.result) {
    case MailtoHandoffWriter::Result::Written:
        return Handed;
    case MailtoHandoffWriter::Result::TimedOut:
        err << "sorvik2: an earlier mail link is still waiting in " << settings.path()
            << "; is Ferrowen running? This link was not handed over: " << link << '\n';
        return NotHanded;
    case MailtoHandoffWriter::Result::Failed:
        err << "sorvik2: cannot hand over the link: " << outcome.error << '\n';
        return NotHanded;
    }
    return NotHanded;
}

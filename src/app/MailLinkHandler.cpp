#include "app/MailLinkHandler.h"

#include "platform/CommandRunner.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>

namespace ferrowen {

namespace {

const QString XdgMime = QStringLiteral("xdg-mime");
const QString MailtoScheme = QStringLiteral("x-scheme-handler/mailto");

bool entryInstalled(const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (QFileInfo(QDir(folder).filePath(MailLinkDesktopEntry)).isFile())
            return true;
    }
    return false;
}

// Why a run of xdg-mime did not work, for the message.
QString failure(const CommandRunner::Result &result)
{
    if (!result.started)
        return QStringLiteral("xdg-mime could not be run (%1). It comes with the package xdg-utils.").arg(result.errors.trimmed());
    QString text = result.exitCode < 0 ? QStringLiteral("xdg-mime did not finish.")
                                       : QStringLiteral("xdg-mime ended with exit code %1.").arg(result.exitCode);
    if (!result.errors.trimmed().isEmpty())
        text += QLatin1Char('\n') + result.errors.trimmed();
    return text;
}

} // namespace

bool MakeMailLinkHandler(MessageBoxes &boxes, CommandRunner &runner, const QStringList &applicationFolders)
{
    const QStringList setDefault{QStringLiteral("default"), MailLinkDesktopEntry, MailtoScheme};
    const MessageBoxes::Answer answer = boxes.show(
        QStringLiteral("Make Ferrowen the program that opens mail links (mailto:) on this desktop?\n\n"
                       "This runs: xdg-mime %1")
            .arg(setDefault.join(QLatin1Char(' '))),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Question);
    if (answer != MessageBoxes::Answer::Yes)
        return false;

    if (!entryInstalled(applicationFolders)) {
        boxes.show(QStringLiteral("Ferrowen was not made the mail link handler: its desktop entry %1 is in none of "
                                  "the desktop's application folders (%2).\n\nInstall the Ferrowen package, or run "
                                  "ferrowen-install with --companion, and try again.")
                       .arg(MailLinkDesktopEntry, applicationFolders.join(QStringLiteral(", "))),
                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return false;
    }

    const CommandRunner::Result set = runner.run(XdgMime, setDefault);
    if (!set.started || set.exitCode != 0) {
        boxes.show(QStringLiteral("Ferrowen was not made the mail link handler.\n\n") + failure(set),
                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return false;
    }

    // xdg-mime can succeed while the desktop keeps another choice; only the
    // setting read back tells.
    const CommandRunner::Result query = runner.run(XdgMime, {QStringLiteral("query"), QStringLiteral("default"), MailtoScheme});
    if (!query.started || query.exitCode != 0) {
        boxes.show(QStringLiteral("xdg-mime accepted the setting, but reading it back failed, so whether Ferrowen is "
                                  "the mail link handler is not known.\n\n")
                       + failure(query),
                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return false;
    }
    const QString handler = query.output.trimmed();
    if (handler != MailLinkDesktopEntry) {
        boxes.show(QStringLiteral("xdg-mime accepted the setting, but the desktop still names %1 as the mail link "
                                  "handler. Your desktop's settings (Default Applications) may choose the mail "
                                  "program instead.")
                       .arg(handler.isEmpty() ? QStringLiteral("no program") : handler),
                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return false;
    }
    boxes.show(QStringLiteral("Ferrowen is now the mail link handler: mail links open in its Compose tab."),
               MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
    return true;
}

} // namespace ferrowen

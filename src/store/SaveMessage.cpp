#include "store/SaveMessage.h"

#include "platform/MessageBoxes.h"
#include "store/FolderName.h"
#include "store/MessageFileContent.h"
#include "store/MessageFileName.h"
#include "store/MessageSaveHost.h"
#include "store/SavedMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ferrowen {

namespace {

// The existing folder named "sent" in any case, or a new "sent".
StatusOr<QString> sentFolderPath(const QString &storePath)
{
    QDir store(storePath);
    for (const QString &name : store.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (isSentFolder(name))
            return store.filePath(name);
    }
    if (!store.mkpath(QStringLiteral("sent")))
        return Status::failure(QStringLiteral("cannot make the folder for sent messages in ") + storePath);
    return store.filePath(QStringLiteral("sent"));
}

} // namespace

StatusOr<QString> writeSavedMessage(const QString &folderPath, const SavedMessage &message)
{
    const QString folderName = QDir(folderPath).dirName();
    if (!QFileInfo(folderPath).isDir())
        return Status::failure(QStringLiteral("the folder \"%1\" is not there any more.").arg(folderName));
    QSaveFile file(QDir(folderPath).filePath(messageFileName(message)));
    const auto failed = [&] {
        return Status::failure(QStringLiteral("it could not be written into the folder \"%1\" (%2).")
                                   .arg(folderName, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    const QByteArray content = messageFileContent(message);
    if (file.write(content) != content.size() || !file.commit())
        return failed();
    return file.fileName();
}

void SaveMessage(MessageSaveHost &host, const SavedMessage &message)
{
    StatusOr<QString> folder = Status::failure(QStringLiteral("no folder is chosen."));
    if (message.isSent) {
        folder = sentFolderPath(host.savedMessagesFolder());
    } else {
        const QString chosen = host.chosenFolder();
        if (isSentFolder(chosen)) {
            host.messageBoxes().show(QStringLiteral("You cannot save incoming messages to the Sent Messages Folder."));
            return;
        }
        if (isValidFolderName(chosen))
            folder = QDir(host.savedMessagesFolder()).filePath(chosen);
        else if (!chosen.isEmpty())
            folder = Status::failure(QStringLiteral("\"%1\" cannot be the name of a folder.").arg(chosen));
    }

    const StatusOr<QString> written = folder ? writeSavedMessage(*folder, message) : StatusOr<QString>(folder.status());
    if (!written) {
        if (message.isSent)
            qWarning("the copy of a sent message was not saved: %s", qPrintable(written.error()));
        else
            host.messageBoxes().show(QStringLiteral("Unable to save message: ") + written.error(),
                                     MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        return;
    }
    if (!message.isSent) {
        host.showMessageSavedLabel();
        host.setStatusText(2, QStringLiteral("Msg Saved"));
    }
}

} // namespace ferrowen

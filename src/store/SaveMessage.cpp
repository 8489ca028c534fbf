#include "store/SaveMessage.h"

#include "platform/MessageBoxes.h"
#include "store/FolderName.h"
#include "store/MessageFileContent.h"
#include "store/MessageFileName.h"
#include "store/MessageSaveHost.h"
#include "store/SavedMessage.h"

#include <QDir>
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
    QSaveFile file(QDir(folderPath).filePath(messageFileName(message)));
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(file.errorString());
    const QByteArray content = messageFileContent(message);
    if (file.write(content) != content.size() || !file.commit())
        return Status::failure(file.errorString());
    return file.fileName();
}

void SaveMessage(MessageSaveHost &host, const SavedMessage &message)
{
    StatusOr<QString> folder = Status::failure(QStringLiteral("no folder"));
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
    }

    const StatusOr<QString> written = folder ? writeSavedMessage(*folder, message) : StatusOr<QString>(folder.status());
    if (!written) {
        if (message.isSent)
            qWarning("the copy of a sent message was not saved: %s", qPrintable(written.error()));
        else
            host.messageBoxes().show(QStringLiteral("Unable to save message. Are you sure a message is displayed?"));
        return;
    }
    if (!message.isSent) {
        host.showMessageSavedLabel();
        host.setStatusText(2, QStringLiteral("Msg Saved"));
    }
}

} // namespace ferrowen

#pragma once

#include "platform/ui/NewNameDialog.h"

namespace ferrowen {

class MessageBoxes;

// "New Folder": asks for the name of a new saved-message folder and makes
// it in the store. A name that cannot be made is refused with a message and
// the dialog stays open; OK closes it only once the folder is there.
class DialogNewFolder : public NewNameDialog
{
    Q_OBJECT

public:
    DialogNewFolder(const QString &storePath, MessageBoxes &messageBoxes, QWidget *parent = nullptr);

    // The folder made, as typed (not trimmed); valid once accepted.
    QString folderName() const { return typedName(); }
};

} // namespace ferrowen

#include "store/ui/DialogNewFolder.h"

#include "platform/MessageBoxes.h"
#include "store/FolderName.h"

namespace ferrowen {

DialogNewFolder::DialogNewFolder(const QString &storePath, MessageBoxes &messageBoxes, QWidget *parent)
    : NewNameDialog({"DialogNewFolder", tr("New Folder"), tr("Folder Name:"), "Label1"},
                    [storePath, &messageBoxes](const QString &typed) {
                        if (createSavedMessageFolder(storePath, typed))
                            return true;
                        messageBoxes.show(tr("Unable to create directory. Please check to make sure you have entered "
                                             "a valid directory name."));
                        return false;
                    },
                    parent)
{
}

} // namespace ferrowen

#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

class MessageBoxes;

// What a saved message shown in the preview can become.
enum class SavedMessageAction {
    ReplyWithText, // reply, the saved text quoted
    ReplyBlank,    // reply with an empty body
    Forward,       // forward, the saved text quoted
    SendAgain      // the same message to the same recipients
};

// What the saved-message pane needs from the rest of the program.
class StoreHost
{
public:
    virtual ~StoreHost() = default;

    // Fills the webmail compose form from the saved message in the preview;
    // while a page call waits for its answer, once none does.
    virtual void runSavedMessageAction(SavedMessageAction action) = 0;
    // True while the program is starting (lists are filled differently).
    virtual bool isStarting() const = 0;
    virtual MessageBoxes &messageBoxes() = 0;

    // The store's folder ("savedmgs" in the main folder), as a path of the
    // file system.
    virtual QString savedMessagesFolder() const = 0;
    // The empty page the preview shows when no message is chosen.
    virtual QString blankMessagePage() const = 0;
    // Shows a file in the preview (WebBrowser2); a missing file changes nothing.
    virtual void showPreview(const QString &path) = 0;
    // The folder lists outside the pane: the destination of "&Save Msg <<"
    // (ComboFolders, choosing `chosen`, none when -1) and the settings'
    // default folder (ComboFolders3, left without a choice).
    virtual void showFolderChoices(const QStringList &folders, int chosen) = 0;
    // Opens the desktop's file manager on a folder.
    virtual void openInFileManager(const QString &folder) = 0;
    // The status bar's progress bar (Progress1); a maximum of 0 shows that
    // work goes on without saying how much is left.
    virtual void showProgress(int value, int maximum) = 0;
    virtual void hideProgress() = 0;
};

} // namespace ferrowen

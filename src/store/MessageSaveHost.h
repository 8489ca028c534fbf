#pragma once

#include <QString>

namespace ferrowen {

class MessageBoxes;

// What saving a message needs from the rest of the program: where the
// store is, the folder the user chose for incoming messages, and the
// places that confirm a save.
class MessageSaveHost
{
public:
    virtual ~MessageSaveHost() = default;

    // The store's folder ("savedmgs" in the main folder), as a path of the
    // file system; each saved-message folder is a folder in it.
    virtual QString savedMessagesFolder() const = 0;
    // The folder chosen for incoming messages (ComboFolders); empty when
    // none is chosen.
    virtual QString chosenFolder() const = 0;
    // Shows or hides "Message Saved" beside the save button (LabelSaved).
    virtual void showMessageSavedLabel(bool shown = true) = 0;
    // Panels of the status bar, counted from 1.
    virtual void setStatusText(int panel, const QString &text) = 0;
    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen

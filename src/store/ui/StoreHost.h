#pragma once

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

    // Fills the webmail compose form from the saved message in the preview.
    virtual void runSavedMessageAction(SavedMessageAction action) = 0;
    // True while the program is starting (lists are filled differently).
    virtual bool isStarting() const = 0;
    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen

#pragma once

#include <QString>

namespace ferrowen {

// Message boxes the program shows, behind an interface so tests can read
// and answer them. A box shows the program's title as its caption unless
// it is given a title of its own.
class MessageBoxes
{
public:
    enum class Answer { Ok, Cancel, Yes, No, Retry, SaveElsewhere, Discard };
    // YesNoDefaultNo: Yes and No with No as the default button, for
    // questions whose Yes destroys something. RetrySaveElsewhereDiscard:
    // for a save that failed when nothing more can wait ("Retry", "Save
    // Elsewhere...", "Quit Without Saving"); closing the box retries.
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo, RetrySaveElsewhereDiscard };
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~MessageBoxes() = default;

    // Shows the message and waits for the user's answer. Closing the box
    // without a button answers Cancel where there is one, else No or Ok.
    virtual Answer show(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                        const QString &title = QString()) = 0;
};

} // namespace ferrowen

#pragma once

#include <QString>

namespace ferrowen {

// Message boxes the program shows, behind an interface so tests can read
// and answer them.
class MessageBoxes
{
public:
    enum class Answer { Ok, Cancel, Yes, No };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

    virtual ~MessageBoxes() = default;
    virtual Answer show(const QString &title, const QString &text, Buttons buttons = Buttons::Ok) = 0;
};

} // namespace ferrowen

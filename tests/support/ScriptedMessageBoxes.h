#pragma once

#include "platform/MessageBoxes.h"

#include <QStringList>

namespace ferrowen::testing {

// Message boxes answered by the test: the text of each box shown is
// recorded, and each is answered with its first button (Ok or Yes).
class ScriptedMessageBoxes : public MessageBoxes
{
public:
    QStringList shown;

    Answer show(const QString &text, Buttons buttons, Icon, const QString &) override
    {
        shown << text;
        return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    }
};

} // namespace ferrowen::testing

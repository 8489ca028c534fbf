#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QString>

namespace ferrowen::testing {

// Message boxes answered by the test: each box shown is recorded, and the
// answers given in advance are used in order. Without one, a box is
// answered with its first button (Ok or Yes), a failed save's question
// with "Quit Without Saving", so that no test can retry for ever.
class ScriptedMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    QList<Shown> shown;
    QList<Answer> answers;

    Answer show(const QString &text, Buttons buttons, Icon icon, const QString &title) override
    {
        shown.append({text, buttons, icon, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (buttons == Buttons::RetrySaveElsewhereDiscard)
            return Answer::Discard;
        return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown &box : shown)
            list << box.text;
        return list;
    }
};

} // namespace ferrowen::testing

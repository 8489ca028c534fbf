#pragma once

#include "spell/SpellDialog.h"

#include <QList>

#include <functional>

namespace ferrowen::testing {

// The suggestion dialog answered by the test: every question is recorded
// (with what the test saw at that moment, through onAsk), and the answers
// given in advance are used in order; without one the word is ignored.
class ScriptedSpellDialog : public SpellDialog
{
public:
    QList<SpellQuestion> asked;
    QList<SpellAnswer> answers;
    std::function<void(const SpellQuestion &)> onAsk;

    SpellAnswer ask(const SpellQuestion &question) override
    {
        asked.append(question);
        if (onAsk)
            onAsk(question);
        if (answers.isEmpty())
            return {SpellAnswer::Action::Ignore, {}, {}};
        return answers.takeFirst();
    }

    static SpellAnswer change(const QString &to) { return {SpellAnswer::Action::Change, to, {}}; }
    static SpellAnswer changeAll(const QString &to) { return {SpellAnswer::Action::ChangeAll, to, {}}; }
    static SpellAnswer of(SpellAnswer::Action action) { return {action, {}, {}}; }
};

} // namespace ferrowen::testing

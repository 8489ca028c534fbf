#include "editor/SpellCheckEditor.h"

#include "editor/BodyTextOffsets.h"
#include "editor/SpellTarget.h"
#include "platform/MessageBoxes.h"
#include "spell/SpellChecker.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace ferrowen {

namespace {

// The dialog stands at the top unless the word is near the top itself.
int dialogTopFor(int wordTop)
{
    return wordTop > 200 ? 10 : 350;
}

} // namespace

void SpellCheckEditor(SpellChecker &checker, SpellTarget &target, const SpellDictionaries &dictionaries,
                      MessageBoxes &boxes)
{
    if (checker.mainDictionaryCount() == 0)
        (void)checker.loadMainDictionary(dictionaries.mainSetting);
    if (checker.customDictionaryCount() == 0)
        (void)checker.loadCustomDictionary(dictionaries.customPath);
    if (checker.mainDictionaryCount() == 0) {
        boxes.show(QStringLiteral("No spelling dictionary is installed, so the spelling cannot be checked."),
                   MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information);
        return;
    }

    const QString bodyText = target.text();
    if (bodyText.trimmed().isEmpty())
        return;

    checker.setIgnoreCapitals(true);
    checker.setIgnoreWordsWithDigits(false);
    checker.setMinimumWordLength(0);
    checker.setIgnoreAddresses(true);
    const QString checkedText = toCheckedText(bodyText);
    int code = checker.check(checkedText);

    // The text grows or shrinks by each replacement; the checker's offsets
    // stay in the text it was given.
    int difference = 0;
    while (code < SpellResult::Finished) {
        const int start = bodyOffset(checkedText, checker.wordOffset()) + difference;
        const TextRange word{start, start + checker.wordLength()};
        if (code == SpellResult::NeedsAttention) {
            target.mark(word);
            checker.setDialogTop(dialogTopFor(target.top(word)));
            checker.showDialog();
            code = checker.resultCode();
            if (code == SpellResult::Cancelled)
                break;
        }
        if (checker.wordChanged()) {
            if (!target.replace(word, checker.word(), checker.replacement())) {
                boxes.show(QStringLiteral("The text changed during the spelling check, so \"%1\" was not replaced. "
                                          "The check has stopped; start it again to go on.")
                               .arg(checker.word()),
                           MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
                return;
            }
            difference += int(checker.replacement().size()) - checker.wordLength();
        }
        // The replacement shows before the next word is looked for; the
        // user's input waits, so nothing changes the text meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        code = checker.continueCheck();
    }
    if (const QString problem = checker.takeProblem(); !problem.isEmpty())
        boxes.show(problem, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
    if (code != SpellResult::Cancelled)
        boxes.show(QStringLiteral("The spelling check is complete."), MessageBoxes::Buttons::Ok,
                   MessageBoxes::Icon::Information);
}

} // namespace ferrowen

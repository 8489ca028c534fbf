#pragma once

#include <QString>

namespace ferrowen {

class MessageBoxes;
class SpellChecker;
class SpellTarget;

// The dictionaries a check starts with: the "main dictionary" setting as
// it stands, and the path of the user's word list.
struct SpellDictionaries
{
    QString mainSetting;
    QString customPath;
};

// Goes through target's text with the spell checker: marks each word that
// needs the user, shows the suggestion dialog out of its way, writes what
// the user chose, and says "The spelling check is complete." at the end.
// A cancelled check keeps what was changed. A replacement is written only
// where its word still stands; if the text changed under the check, the
// check stops and says so. Without any dictionary nothing is checked.
void SpellCheckEditor(SpellChecker &checker, SpellTarget &target, const SpellDictionaries &dictionaries,
                      MessageBoxes &boxes);

} // namespace ferrowen

#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// Where Hunspell dictionaries are installed: the user's own
// ($XDG_DATA_HOME/hunspell), then the system's ($XDG_DATA_DIRS/hunspell,
// /usr/share/hunspell, /usr/share/myspell/dicts).
QStringList hunspellDictionaryFolders();

// The word files (".dic") in folders that have their affix file (".aff")
// beside them, each name once (the first folder wins), sorted by name.
QStringList hunspellDictionariesIn(const QStringList &folders);

// The affix file that belongs to a word file: "en_US.dic" -> "en_US.aff".
QString affixFileOf(const QString &wordFile);

} // namespace ferrowen

#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// A spelling engine with one dictionary: checks single words and suggests
// others. Splitting text into words is the caller's work.
class SpellEngine
{
public:
    virtual ~SpellEngine() = default;

    // The dictionaries installed on this machine that the engine can load,
    // as paths of their word files.
    virtual QStringList installedDictionaries() const = 0;
    // Loads the dictionary whose word file is path, in place of the one
    // loaded before; false (the one before stays) when it cannot be loaded.
    virtual bool loadDictionary(const QString &path) = 0;
    // The word file of the loaded dictionary; empty when none is loaded.
    virtual QString dictionary() const = 0;
    // A word the dictionary should take as correct from now on.
    virtual void addWord(const QString &word) = 0;
    // With no dictionary loaded every word passes: an engine without a
    // dictionary knows nothing to be wrong.
    virtual bool isCorrect(const QString &word) = 0;
    // Slow (tens of milliseconds): only for a word the user looks at.
    virtual QStringList suggest(const QString &word) = 0;
};

} // namespace ferrowen

#pragma once

#include "platform/SpellEngine.h"

#include <QHash>
#include <QSet>

namespace ferrowen::testing {

// A spelling engine whose dictionaries are word lists the test gives:
// dictionaries maps a word file's path to its words.
class FakeSpellEngine : public SpellEngine
{
public:
    QHash<QString, QSet<QString>> dictionaries;
    QString loaded;
    QSet<QString> added;
    int suggestCalls = 0;

    QStringList installedDictionaries() const override
    {
        QStringList paths = dictionaries.keys();
        paths.sort();
        return paths;
    }
    bool loadDictionary(const QString &path) override
    {
        if (!dictionaries.contains(path))
            return false;
        loaded = path;
        added.clear();
        return true;
    }
    QString dictionary() const override { return loaded; }
    void addWord(const QString &word) override { added.insert(word); }
    bool isCorrect(const QString &word) override
    {
        return loaded.isEmpty() || added.contains(word) || dictionaries.value(loaded).contains(word.toLower());
    }
    QStringList suggest(const QString &word) override
    {
        ++suggestCalls;
        return {word + QStringLiteral("-fixed")};
    }
};

} // namespace ferrowen::testing

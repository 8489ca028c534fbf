#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// What the suggestion dialog shows about one misspelled word.
struct SpellQuestion
{
    QString word;
    // The line the word stands in, and where in it the word starts.
    QString context;
    int wordInContext = 0;
    QStringList suggestions;
    // The installed dictionaries (word files) and the one in use.
    QStringList dictionaries;
    QString dictionary;
    // How far below the top of the window the dialog should stand, in
    // pixels, so that it does not cover the word.
    int top = 0;
};

struct SpellAnswer
{
    enum class Action { Change, ChangeAll, Ignore, IgnoreAll, AddToDictionary, UseDictionary, Cancel };
    Action action = Action::Cancel;
    // Change and Change All: the word to write instead.
    QString replacement;
    // Use Dictionary: the word file of the dictionary to check with.
    QString dictionary;
};

// The suggestion dialog, behind an interface so tests can answer it.
class SpellDialog
{
public:
    virtual ~SpellDialog() = default;

    virtual SpellAnswer ask(const SpellQuestion &question) = 0;
};

} // namespace ferrowen

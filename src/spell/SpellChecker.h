#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

#include "spell/WordSplitter.h"

namespace ferrowen {

class SpellDialog;
class SpellEngine;

// Result codes of check() and continueCheck().
namespace SpellResult {
inline constexpr int Finished = 1;
// A misspelled word waits for the user: mark it, then showDialog().
inline constexpr int NeedsAttention = -1;
// A word the user chose to change everywhere: its replacement is ready.
inline constexpr int ChangedForUser = -2;
inline constexpr int Cancelled = -3;
} // namespace SpellResult

// The spell checker as the editor drives it: it is handed a whole text,
// stops at each word that needs the user, and goes on when told to. It
// keeps its dictionaries between checks. Offsets and lengths are in the
// text given to check().
class SpellChecker
{
public:
    SpellChecker(SpellEngine &engine, SpellDialog &dialog);

    // --- Dictionaries ---
    int mainDictionaryCount() const;
    // Loads the dictionary the "main dictionary" setting stands for.
    bool loadMainDictionary(const QString &setting);
    int customDictionaryCount() const { return m_customPath.isEmpty() ? 0 : 1; }
    // Loads the user's word list; the words added from the dialog go there.
    bool loadCustomDictionary(const QString &path);
    // Told the word file of a dictionary the user picked in the dialog.
    void onDictionaryChosen(std::function<void(const QString &)> chosen) { m_dictionaryChosen = std::move(chosen); }

    // --- The four checking settings ---
    void setIgnoreCapitals(bool ignore) { m_ignoreCapitals = ignore; }
    void setIgnoreWordsWithDigits(bool ignore) { m_ignoreWordsWithDigits = ignore; }
    // Words shorter than this are not checked (0: every word).
    void setMinimumWordLength(int length) { m_minimumLength = length; }
    void setIgnoreAddresses(bool ignore) { m_ignoreAddresses = ignore; }

    // --- A check ---
    int check(const QString &text);
    QString word() const { return m_current.text; }
    int wordOffset() const { return m_current.offset; }
    int wordLength() const { return m_current.length; }
    bool wordChanged() const { return m_changed; }
    QString replacement() const { return m_replacement; }
    int suggestionCount();
    QString suggestion(int index);
    void setDialogTop(int top) { m_dialogTop = top; }
    // Asks the user about the word that needs attention.
    void showDialog();
    int resultCode() const { return m_result; }
    int continueCheck();

    // What went wrong on the way (a word list that could not be written,
    // a dictionary that could not be loaded), once; empty when nothing did.
    QString takeProblem() { return std::exchange(m_problem, QString()); }

private:
    int advance();
    bool skips(const TextWord &word) const;
    QString context(int &wordInContext) const;
    bool useDictionary(const QString &wordFile);

    SpellEngine &m_engine;
    SpellDialog &m_dialog;
    std::function<void(const QString &)> m_dictionaryChosen;
    QString m_customPath;
    QStringList m_customWords;

    bool m_ignoreCapitals = true;
    bool m_ignoreWordsWithDigits = false;
    int m_minimumLength = 0;
    bool m_ignoreAddresses = true;

    QString m_text;
    QList<TextWord> m_words;
    // Looked up once a check: the dialog offers them for every word.
    QStringList m_installed;
    int m_index = -1;
    TextWord m_current;
    bool m_changed = false;
    QString m_replacement;
    int m_result = SpellResult::Finished;
    int m_dialogTop = 0;
    QStringList m_suggestions;
    bool m_suggested = false;
    QSet<QString> m_ignoreAll;
    QHash<QString, QString> m_changeAll;
    QString m_problem;
};

} // namespace ferrowen

#pragma once

#include "platform/SpellEngine.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <memory>

class Hunspell;

namespace ferrowen {

// Hunspell with one dictionary. Words go in and suggestions come out in
// the dictionary's own encoding; a word that encoding cannot hold is not
// in the dictionary.
class HunspellEngine : public SpellEngine
{
public:
    // folders: where installedDictionaries() looks (the machine's usual
    // places by default).
    explicit HunspellEngine(QStringList folders = {});
    ~HunspellEngine() override;

    QStringList installedDictionaries() const override;
    bool loadDictionary(const QString &path) override;
    QString dictionary() const override { return m_dictionary; }
    void addWord(const QString &word) override;
    bool isCorrect(const QString &word) override;
    QStringList suggest(const QString &word) override;

private:
    bool encode(const QString &word, std::string &out);

    QStringList m_folders;
    std::unique_ptr<Hunspell> m_hunspell;
    QString m_dictionary;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
};

} // namespace ferrowen

#include "spell/SpellChecker.h"

#include "platform/SpellEngine.h"
#include "spell/CustomWordList.h"
#include "spell/DictionaryChoice.h"
#include "spell/SpellDialog.h"

#include <algorithm>

namespace ferrowen {

namespace {

// Dictionaries spell the apostrophe straight.
QString checkedForm(const QString &word)
{
    return QString(word).replace(QChar(0x2019), QLatin1Char('\''));
}

// The blank-delimited stretch of text around offset.
QStringView tokenAround(const QString &text, int offset)
{
    int from = offset;
    while (from > 0 && !text.at(from - 1).isSpace())
        --from;
    int to = offset;
    while (to < text.size() && !text.at(to).isSpace())
        ++to;
    return QStringView(text).mid(from, to - from);
}

// Mail and web addresses are not words to check, nor are their parts.
bool isAddress(QStringView token)
{
    return token.contains(QLatin1Char('@')) || token.contains(QLatin1String("://"))
           || token.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

} // namespace

SpellChecker::SpellChecker(SpellEngine &engine, SpellDialog &dialog)
    : m_engine(engine)
    , m_dialog(dialog)
{
}

int SpellChecker::mainDictionaryCount() const
{
    return m_engine.dictionary().isEmpty() ? 0 : 1;
}

bool SpellChecker::loadMainDictionary(const QString &setting)
{
    const QString wordFile = chooseMainDictionary(setting, m_engine.installedDictionaries());
    return !wordFile.isEmpty() && useDictionary(wordFile);
}

bool SpellChecker::useDictionary(const QString &wordFile)
{
    if (!m_engine.loadDictionary(wordFile))
        return false;
    // A new dictionary knows nothing of the user's own words.
    for (const QString &word : std::as_const(m_customWords))
        m_engine.addWord(word);
    return true;
}

bool SpellChecker::loadCustomDictionary(const QString &path)
{
    if (path.isEmpty())
        return false;
    StatusOr<QStringList> words = readCustomWords(path);
    if (!words) {
        m_problem = words.error();
        return false;
    }
    m_customPath = path;
    m_customWords = *words;
    for (const QString &word : std::as_const(m_customWords))
        m_engine.addWord(word);
    return true;
}

int SpellChecker::check(const QString &text)
{
    m_text = text;
    m_words = splitWords(text);
    m_installed = m_engine.installedDictionaries();
    m_index = -1;
    m_ignoreAll.clear();
    m_changeAll.clear();
    return advance();
}

bool SpellChecker::skips(const TextWord &word) const
{
    if (word.length < m_minimumLength || m_ignoreAll.contains(word.text))
        return true;
    if (m_ignoreCapitals && word.length > 1 && word.text == word.text.toUpper())
        return true;
    if (m_ignoreWordsWithDigits && std::any_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isDigit(); }))
        return true;
    return m_ignoreAddresses && isAddress(tokenAround(m_text, word.offset));
}

int SpellChecker::advance()
{
    m_changed = false;
    m_replacement.clear();
    m_suggested = false;
    m_suggestions.clear();
    while (++m_index < m_words.size()) {
        const TextWord &word = m_words.at(m_index);
        if (skips(word))
            continue;
        if (const auto changed = m_changeAll.constFind(word.text); changed != m_changeAll.constEnd()) {
            m_current = word;
            m_changed = true;
            m_replacement = *changed;
            return m_result = SpellResult::ChangedForUser;
        }
        if (!m_engine.isCorrect(checkedForm(word.text))) {
            m_current = word;
            return m_result = SpellResult::NeedsAttention;
        }
    }
    m_current = {};
    return m_result = SpellResult::Finished;
}

int SpellChecker::suggestionCount()
{
    if (!m_suggested && m_result == SpellResult::NeedsAttention) {
        m_suggestions = m_engine.suggest(checkedForm(m_current.text));
        m_suggested = true;
    }
    return int(m_suggestions.size());
}

QString SpellChecker::suggestion(int index)
{
    suggestionCount();
    return m_suggestions.value(index);
}

QString SpellChecker::context(int &wordInContext) const
{
    constexpr int Around = 60;
    const auto isBreak = [](QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); };
    int from = m_current.offset;
    while (from > 0 && from > m_current.offset - Around && !isBreak(m_text.at(from - 1)))
        --from;
    int to = m_current.offset + m_current.length;
    while (to < m_text.size() && to < m_current.offset + m_current.length + Around && !isBreak(m_text.at(to)))
        ++to;
    wordInContext = m_current.offset - from;
    return m_text.mid(from, to - from);
}

void SpellChecker::showDialog()
{
    if (m_result != SpellResult::NeedsAttention)
        return;
    for (;;) {
        SpellQuestion question;
        question.word = m_current.text;
        question.context = context(question.wordInContext);
        suggestionCount();
        question.suggestions = m_suggestions;
        question.dictionaries = m_installed;
        question.dictionary = m_engine.dictionary();
        question.top = m_dialogTop;

        const SpellAnswer answer = m_dialog.ask(question);
        switch (answer.action) {
        case SpellAnswer::Action::Change:
            m_changed = answer.replacement != m_current.text;
            m_replacement = answer.replacement;
            return;
        case SpellAnswer::Action::ChangeAll:
            m_changed = answer.replacement != m_current.text;
            m_replacement = answer.replacement;
            m_changeAll.insert(m_current.text, answer.replacement);
            return;
        case SpellAnswer::Action::Ignore:
            return;
        case SpellAnswer::Action::IgnoreAll:
            m_ignoreAll.insert(m_current.text);
            return;
        case SpellAnswer::Action::AddToDictionary:
            m_engine.addWord(m_current.text);
            m_customWords << m_current.text;
            if (!m_customPath.isEmpty()) {
                if (Status added = addCustomWord(m_customPath, m_current.text); !added)
                    m_problem = added.error();
            }
            return;
        case SpellAnswer::Action::UseDictionary:
            if (useDictionary(answer.dictionary)) {
                if (m_dictionaryChosen)
                    m_dictionaryChosen(m_engine.dictionary());
                if (m_engine.isCorrect(checkedForm(m_current.text)))
                    return;
                m_suggested = false;
            } else {
                m_problem = QStringLiteral("The dictionary %1 cannot be loaded.").arg(dictionaryName(answer.dictionary));
            }
            continue;
        case SpellAnswer::Action::Cancel:
            m_result = SpellResult::Cancelled;
            return;
        }
        return;
    }
}

int SpellChecker::continueCheck()
{
    if (m_result == SpellResult::Cancelled || m_result == SpellResult::Finished)
        return m_result;
    return advance();
}

} // namespace ferrowen

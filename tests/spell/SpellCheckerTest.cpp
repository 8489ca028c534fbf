#include "spell/CustomWordList.h"
#include "spell/DictionaryChoice.h"
#include "spell/SpellChecker.h"
#include "spell/WordSplitter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FakeSpellEngine.h"
#include "ScriptedSpellDialog.h"

using namespace ferrowen;
using ferrowen::testing::FakeSpellEngine;
using ferrowen::testing::ScriptedSpellDialog;
using Action = SpellAnswer::Action;

namespace {

QStringList wordsOf(const QString &text)
{
    QStringList words;
    for (const TextWord &word : splitWords(text)) {
        EXPECT_EQ(text.mid(word.offset, word.length), word.text);
        words << word.text;
    }
    return words;
}

TEST(SplitWords, findsWordsByUnicodeBoundaries)
{
    const struct
    {
        const char *text;
        const char *words; // separated by "|"
    } cases[] = {
        {"Hello, world.", "Hello|world"},
        {"don't stop", "don't|stop"},
        {"line one\r\nline two", "line|one|line|two"},
        {"42 cats and 3.5 dogs", "cats|and|dogs"},
        {"café naïve", "café|naïve"},
        {"  ...  ", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wordsOf(QString::fromUtf8(c.text)).join(QLatin1Char('|')), QString::fromUtf8(c.words)) << c.text;
}

TEST(DictionaryChoice, settingElseEnUsElseFirstInstalled)
{
    QTemporaryDir dir;
    const QString own = dir.filePath(QStringLiteral("de_DE.dic"));
    QFile(own).open(QIODevice::WriteOnly);
    const QStringList installed{QStringLiteral("/x/da_DK.dic"), QStringLiteral("/x/en_US.dic")};

    EXPECT_EQ(chooseMainDictionary(own, installed), own);
    EXPECT_EQ(chooseMainDictionary(QString(), installed), QStringLiteral("/x/en_US.dic"));
    EXPECT_EQ(chooseMainDictionary(QStringLiteral("C:\\Ferrowen\\american.vtd"), installed), QStringLiteral("/x/en_US.dic"));
    EXPECT_EQ(chooseMainDictionary(QString(), {QStringLiteral("/x/da_DK.dic")}), QStringLiteral("/x/da_DK.dic"));
    EXPECT_EQ(chooseMainDictionary(QString(), {}), QString());

    EXPECT_EQ(chooseCustomDictionary(QString(), QStringLiteral("/home/u/ferrowen")),
              QStringLiteral("/home/u/ferrowen/custom.dic"));
    EXPECT_EQ(chooseCustomDictionary(QStringLiteral("/w/mine.txt"), QStringLiteral("/home/u")), QStringLiteral("/w/mine.txt"));
    EXPECT_EQ(dictionaryName(QStringLiteral("/usr/share/hunspell/en_GB.dic")), QStringLiteral("en_GB"));
}

TEST(CustomWordList, missingIsEmptyAndEachWordIsAddedOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("custom.dic"));
    ASSERT_TRUE(readCustomWords(path).ok());
    EXPECT_TRUE(readCustomWords(path)->isEmpty());

    ASSERT_TRUE(addCustomWord(path, QStringLiteral("Ferrowen")).ok());
    ASSERT_TRUE(addCustomWord(path, QStringLiteral(" Zork ")).ok());
    ASSERT_TRUE(addCustomWord(path, QStringLiteral("Ferrowen")).ok());
    EXPECT_FALSE(addCustomWord(path, QStringLiteral("two\nlines")).ok());
    EXPECT_EQ(*readCustomWords(path), (QStringList{QStringLiteral("Ferrowen"), QStringLiteral("Zork")}));
}

class SpellCheckerTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeSpellEngine engine;
    ScriptedSpellDialog dialog;
    SpellChecker checker{engine, dialog};

    void SetUp() override
    {
        engine.dictionaries.insert(QStringLiteral("/d/en_US.dic"),
                                   {QStringLiteral("the"), QStringLiteral("cat"), QStringLiteral("sat"),
                                    QStringLiteral("on"), QStringLiteral("mat")});
        engine.dictionaries.insert(QStringLiteral("/d/fr_FR.dic"), {QStringLiteral("le"), QStringLiteral("chat")});
        ASSERT_TRUE(checker.loadMainDictionary(QString()));
    }

    // Runs a whole check the way the editor does, answering from the
    // script; gives the last code, the words shown to the user and the
    // words changed without asking ("word>replacement").
    int runCheck(const QString &text, QStringList *shown = nullptr, QStringList *changedForUser = nullptr)
    {
        int code = checker.check(text);
        while (code < SpellResult::Finished) {
            if (code == SpellResult::NeedsAttention) {
                if (shown)
                    *shown << checker.word();
                checker.showDialog();
                if (checker.resultCode() == SpellResult::Cancelled)
                    return SpellResult::Cancelled;
            } else if (changedForUser) {
                EXPECT_EQ(code, SpellResult::ChangedForUser);
                EXPECT_TRUE(checker.wordChanged());
                *changedForUser << checker.word() + QLatin1Char('>') + checker.replacement();
            }
            code = checker.continueCheck();
        }
        return code;
    }
};

TEST_F(SpellCheckerTest, stopsAtEachMisspelledWordWithItsPlace)
{
    const QString text = QStringLiteral("the catt sat\r\non teh mat");
    ASSERT_EQ(checker.check(text), SpellResult::NeedsAttention);
    EXPECT_EQ(checker.word(), QStringLiteral("catt"));
    EXPECT_EQ(checker.wordOffset(), 4);
    EXPECT_EQ(checker.wordLength(), 4);
    EXPECT_FALSE(checker.wordChanged());
    ASSERT_EQ(checker.continueCheck(), SpellResult::NeedsAttention);
    EXPECT_EQ(checker.word(), QStringLiteral("teh"));
    EXPECT_EQ(checker.wordOffset(), int(text.indexOf(QStringLiteral("teh"))));
    EXPECT_EQ(checker.continueCheck(), SpellResult::Finished);
}

TEST_F(SpellCheckerTest, suggestsOnlyWhenAskedAndShowsTheWordInItsLine)
{
    ASSERT_EQ(checker.check(QStringLiteral("the cat\r\nthe dgo sat\r\non")), SpellResult::NeedsAttention);
    EXPECT_EQ(engine.suggestCalls, 0);
    dialog.answers = {ScriptedSpellDialog::change(QStringLiteral("dog"))};
    checker.setDialogTop(350);
    checker.showDialog();
    ASSERT_EQ(dialog.asked.size(), 1);
    const SpellQuestion &question = dialog.asked.first();
    EXPECT_EQ(question.context, QStringLiteral("the dgo sat"));
    EXPECT_EQ(question.context.mid(question.wordInContext, 3), QStringLiteral("dgo"));
    EXPECT_EQ(question.suggestions, QStringList{QStringLiteral("dgo-fixed")});
    EXPECT_EQ(question.top, 350);
    EXPECT_EQ(question.dictionary, QStringLiteral("/d/en_US.dic"));
    EXPECT_TRUE(checker.wordChanged());
    EXPECT_EQ(checker.replacement(), QStringLiteral("dog"));
}

TEST_F(SpellCheckerTest, decisionsOfTheUser)
{
    const QString text = QStringLiteral("xa xb xa xb xc xc zz");
    dialog.answers = {ScriptedSpellDialog::changeAll(QStringLiteral("the")), ScriptedSpellDialog::of(Action::IgnoreAll),
                      ScriptedSpellDialog::of(Action::Ignore), ScriptedSpellDialog::of(Action::Ignore),
                      ScriptedSpellDialog::of(Action::Cancel)};
    QStringList seen;
    QStringList changedForUser;
    EXPECT_EQ(runCheck(text, &seen, &changedForUser), SpellResult::Cancelled);
    // "xa" changed everywhere without asking again, "xb" ignored
    // everywhere, "xc" ignored once each, then cancelled at "zz".
    EXPECT_EQ(seen, (QStringList{QStringLiteral("xa"), QStringLiteral("xb"), QStringLiteral("xc"), QStringLiteral("xc"),
                                 QStringLiteral("zz")}));
    EXPECT_EQ(changedForUser, QStringList{QStringLiteral("xa>the")});
    EXPECT_EQ(checker.continueCheck(), SpellResult::Cancelled);
}

TEST_F(SpellCheckerTest, addedWordsGoToTheWordListAndSurviveADictionaryChange)
{
    const QString list = dir.filePath(QStringLiteral("custom.dic"));
    ASSERT_TRUE(checker.loadCustomDictionary(list));
    EXPECT_EQ(checker.customDictionaryCount(), 1);
    dialog.answers = {ScriptedSpellDialog::of(Action::AddToDictionary)};
    EXPECT_EQ(runCheck(QStringLiteral("the Ferrowen cat")), SpellResult::Finished);
    EXPECT_EQ(*readCustomWords(list), QStringList{QStringLiteral("Ferrowen")});

    QString chosen;
    checker.onDictionaryChosen([&](const QString &wordFile) { chosen = wordFile; });
    // In French "chat" is right, "cat" is not, and the user's word stays known.
    dialog.answers = {{Action::UseDictionary, {}, QStringLiteral("/d/fr_FR.dic")}};
    QStringList shown;
    EXPECT_EQ(runCheck(QStringLiteral("chat Ferrowen cat"), &shown), SpellResult::Finished);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("chat"), QStringLiteral("cat")}));
    EXPECT_EQ(chosen, QStringLiteral("/d/fr_FR.dic"));
}

TEST_F(SpellCheckerTest, settingsSkipCapitalsNumbersShortWordsAndAddresses)
{
    const QString text = QStringLiteral("NASA abc1 qz mail@host.example www.site.example");
    QStringList shown;
    runCheck(text, &shown);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("abc1"), QStringLiteral("qz")}));

    shown.clear();
    checker.setIgnoreCapitals(false);
    checker.setIgnoreWordsWithDigits(true);
    checker.setMinimumWordLength(3);
    checker.setIgnoreAddresses(false);
    runCheck(text, &shown);
    EXPECT_EQ(shown.join(QLatin1Char('|')), QStringLiteral("NASA|mail|host|example|www|site|example"));
}

TEST(SpellCheckerWithoutDictionary, noWordIsWrong)
{
    FakeSpellEngine engine;
    ScriptedSpellDialog dialog;
    SpellChecker checker(engine, dialog);
    EXPECT_FALSE(checker.loadMainDictionary(QStringLiteral("/nowhere/american.vtd")));
    EXPECT_EQ(checker.mainDictionaryCount(), 0);
    EXPECT_EQ(checker.check(QStringLiteral("qwzx vbnm")), SpellResult::Finished);
}

} // namespace

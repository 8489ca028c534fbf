#include "platform/spell/HunspellDictionaries.h"
#include "platform/spell/HunspellEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestFiles.h"

using namespace ferrowen;
using ferrowen::testing::writeFile;

namespace {

TEST(HunspellDictionaries, wordFilesWithTheirAffixFilesOnceEach)
{
    QTemporaryDir user;
    QTemporaryDir system;
    writeFile(user.filePath(QStringLiteral("de_DE.dic")), "1\nHaus\n");
    writeFile(user.filePath(QStringLiteral("de_DE.aff")), "SET UTF-8\n");
    writeFile(system.filePath(QStringLiteral("de_DE.dic")), "1\nHaus\n");
    writeFile(system.filePath(QStringLiteral("de_DE.aff")), "SET UTF-8\n");
    writeFile(system.filePath(QStringLiteral("hyph_de_DE.dic")), "ISO8859-1\n");
    const QStringList found = hunspellDictionariesIn({user.path(), system.path(), QStringLiteral("/nowhere")});
    EXPECT_EQ(found, QStringList{QDir(user.path()).absoluteFilePath(QStringLiteral("de_DE.dic"))});
}

TEST(HunspellEngine, aDictionaryOfOtherEncodingChecksAndSuggestsInItsOwn)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("fr_TEST.aff")), "SET ISO8859-1\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ\n");
    writeFile(dir.filePath(QStringLiteral("fr_TEST.dic")), "2\ncaf\xE9\nth\xE9\n");
    HunspellEngine engine({dir.path()});
    ASSERT_TRUE(engine.loadDictionary(dir.filePath(QStringLiteral("fr_TEST.dic"))));
    EXPECT_TRUE(engine.isCorrect(QStringLiteral("café")));
    EXPECT_FALSE(engine.isCorrect(QStringLiteral("cafe")));
    EXPECT_FALSE(engine.isCorrect(QStringLiteral("caf€"))); // not in the encoding at all
    EXPECT_TRUE(engine.suggest(QStringLiteral("cafe")).contains(QStringLiteral("café")));
    engine.addWord(QStringLiteral("crème"));
    EXPECT_TRUE(engine.isCorrect(QStringLiteral("crème")));
}

TEST(HunspellEngine, aDictionaryThatCannotBeLoadedLeavesTheOneBefore)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("en_TEST.aff")), "SET UTF-8\n");
    writeFile(dir.filePath(QStringLiteral("en_TEST.dic")), "1\nhello\n");
    writeFile(dir.filePath(QStringLiteral("broken.dic")), "not a word count\n");
    writeFile(dir.filePath(QStringLiteral("broken.aff")), "SET UTF-8\n");
    HunspellEngine engine({dir.path()});
    // Nothing loaded: nothing is wrong.
    EXPECT_TRUE(engine.isCorrect(QStringLiteral("qwzx")));
    ASSERT_TRUE(engine.loadDictionary(dir.filePath(QStringLiteral("en_TEST.dic"))));
    EXPECT_FALSE(engine.loadDictionary(dir.filePath(QStringLiteral("broken.dic"))));
    EXPECT_FALSE(engine.loadDictionary(dir.filePath(QStringLiteral("missing.dic"))));
    EXPECT_EQ(engine.dictionary(), dir.filePath(QStringLiteral("en_TEST.dic")));
    EXPECT_TRUE(engine.isCorrect(QStringLiteral("hello")));
    EXPECT_FALSE(engine.isCorrect(QStringLiteral("qwzx")));
}

TEST(HunspellEngine, theSystemsEnglishDictionary)
{
    HunspellEngine engine;
    const QStringList english = engine.installedDictionaries().filter(QStringLiteral("/en_US.dic"));
    if (english.isEmpty())
        GTEST_SKIP() << "the en_US Hunspell dictionary (hunspell-en-us) is not installed";
    ASSERT_TRUE(engine.loadDictionary(english.first()));
    EXPECT_TRUE(engine.isCorrect(QStringLiteral("spelling")));
    EXPECT_TRUE(engine.isCorrect(QStringLiteral("don't")));
    EXPECT_FALSE(engine.isCorrect(QStringLiteral("speling")));
    EXPECT_TRUE(engine.suggest(QStringLiteral("speling")).contains(QStringLiteral("spelling")));
}

} // namespace

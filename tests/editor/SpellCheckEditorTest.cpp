#include "editor/SpellCheckEditor.h"
#include "editor/SpellTarget.h"
#include "spell/SpellChecker.h"

#include <gtest/gtest.h>

#include "FakeSpellEngine.h"
#include "ScriptedMessageBoxes.h"
#include "ScriptedSpellDialog.h"

using namespace ferrowen;
using namespace ferrowen::testing;
using Action = SpellAnswer::Action;

namespace {

// The text of a document with breaks as "\n", as the editor's body has it.
class TextTarget : public SpellTarget
{
public:
    explicit TextTarget(QString text)
        : body(std::move(text))
    {
    }

    QString body;
    QStringList marked;
    int wordTop = 0;

    QString text() override { return body; }
    void mark(const TextRange &word) override { marked << body.mid(word.start, word.end - word.start); }
    int top(const TextRange &) override { return wordTop; }
    bool replace(const TextRange &word, const QString &expected, const QString &replacement) override
    {
        if (body.mid(word.start, word.end - word.start) != expected)
            return false;
        body = body.left(word.start) + replacement + body.mid(word.end);
        return true;
    }
};

class SpellCheckEditorTest : public ::testing::Test
{
protected:
    FakeSpellEngine engine;
    ScriptedSpellDialog dialog;
    ScriptedMessageBoxes boxes;
    SpellChecker checker{engine, dialog};
    SpellDictionaries dictionaries;

    void SetUp() override
    {
        engine.dictionaries.insert(QStringLiteral("/d/en_US.dic"),
                                   {QStringLiteral("a"), QStringLiteral("cat"), QStringLiteral("sat"), QStringLiteral("on"),
                                    QStringLiteral("the"), QStringLiteral("mat"), QStringLiteral("dog")});
    }
};

TEST_F(SpellCheckEditorTest, marksEachWordAfterLineBreaksAndReplacesInPlace)
{
    TextTarget target(QStringLiteral("the catt\n\n\nsat on\nteh mat"));
    dialog.answers = {ScriptedSpellDialog::change(QStringLiteral("kitten")), ScriptedSpellDialog::change(QStringLiteral("the"))};
    SpellCheckEditor(checker, target, dictionaries, boxes);
    EXPECT_EQ(target.marked, (QStringList{QStringLiteral("catt"), QStringLiteral("teh")}));
    EXPECT_EQ(target.body, QStringLiteral("the kitten\n\n\nsat on\nthe mat"));
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("The spelling check is complete.")});
}

TEST_F(SpellCheckEditorTest, changeAllReplacesLaterOccurrencesWithoutAsking)
{
    TextTarget target(QStringLiteral("teh cat\nteh dog\nteh mat"));
    dialog.answers = {ScriptedSpellDialog::changeAll(QStringLiteral("a"))};
    SpellCheckEditor(checker, target, dictionaries, boxes);
    EXPECT_EQ(dialog.asked.size(), 1);
    EXPECT_EQ(target.body, QStringLiteral("a cat\na dog\na mat"));
}

TEST_F(SpellCheckEditorTest, cancelKeepsWhatWasChangedAndSaysNothing)
{
    TextTarget target(QStringLiteral("catt\nsatt\nonn"));
    dialog.answers = {ScriptedSpellDialog::change(QStringLiteral("cat")), ScriptedSpellDialog::of(Action::Cancel)};
    SpellCheckEditor(checker, target, dictionaries, boxes);
    EXPECT_EQ(target.body, QStringLiteral("cat\nsatt\nonn"));
    EXPECT_EQ(target.marked, (QStringList{QStringLiteral("catt"), QStringLiteral("satt")}));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(SpellCheckEditorTest, aWordThatMovedIsNotOverwritten)
{
    TextTarget target(QStringLiteral("the catt sat"));
    dialog.onAsk = [&](const SpellQuestion &) { target.body.prepend(QStringLiteral("xx ")); };
    dialog.answers = {ScriptedSpellDialog::change(QStringLiteral("cat"))};
    SpellCheckEditor(checker, target, dictionaries, boxes);
    EXPECT_EQ(target.body, QStringLiteral("xx the catt sat"));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.texts().first().contains(QStringLiteral("\"catt\" was not replaced"))) << boxes.texts().first().toStdString();
}

TEST_F(SpellCheckEditorTest, theDialogStaysClearOfTheWord)
{
    TextTarget low(QStringLiteral("catt"));
    low.wordTop = 201;
    SpellCheckEditor(checker, low, dictionaries, boxes);
    TextTarget high(QStringLiteral("catt"));
    high.wordTop = 200;
    SpellCheckEditor(checker, high, dictionaries, boxes);
    ASSERT_EQ(dialog.asked.size(), 2);
    EXPECT_EQ(dialog.asked[0].top, 10);
    EXPECT_EQ(dialog.asked[1].top, 350);
}

TEST_F(SpellCheckEditorTest, emptyTextEndsSilently)
{
    TextTarget target(QStringLiteral(" \n "));
    SpellCheckEditor(checker, target, dictionaries, boxes);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(SpellCheckEditorTest, withoutAnyDictionaryNothingIsMarkedWrong)
{
    engine.dictionaries.clear();
    TextTarget target(QStringLiteral("catt satt"));
    SpellCheckEditor(checker, target, dictionaries, boxes);
    EXPECT_TRUE(dialog.asked.isEmpty());
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral("No spelling dictionary is installed, so the spelling cannot be checked.")});
}

} // namespace

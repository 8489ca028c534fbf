// Spell checking of the editor's body with Hunspell and the machine's
// en_US dictionary, answered by the test.
#include "editor/SpellCheckEditor.h"
#include "editor/SpellTarget.h"
#include "platform/spell/HunspellEngine.h"
#include "platform/web/EngineEditorDocument.h"
#include "spell/SpellChecker.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "EditorBody.h"
#include "ScriptedMessageBoxes.h"
#include "ScriptedSpellDialog.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class EditorSpellingTest : public ::testing::Test
{
protected:
    QWidget window;
    EngineEditorDocument document{&window};
    HunspellEngine engine;
    ScriptedSpellDialog dialog;
    SpellChecker checker{engine, dialog};
    ScriptedMessageBoxes boxes;
    QTemporaryDir dir;
    EditorBodySpellTarget target{document};
    QStringList marked;

    void SetUp() override
    {
        if (engine.installedDictionaries().filter(QStringLiteral("en_US")).isEmpty())
            GTEST_SKIP() << "the en_US Hunspell dictionary (hunspell-en-us) is not installed";
        window.show();
        // What the user sees selected when the dialog asks.
        dialog.onAsk = [this](const SpellQuestion &) { marked << document.rangeText(document.selection().range); };
    }

    void setBody(const QString &body) { ferrowen::testing::setBody(document, body); }

    void check() { SpellCheckEditor(checker, target, {QString(), dir.filePath(QStringLiteral("custom.dic"))}, boxes); }
};

TEST_F(EditorSpellingTest, wordsAfterLineBreaksAreMarkedExactlyAndReplacedInPlace)
{
    setBody(QStringLiteral("<p>First line</p><p>secnd line<br><br>thrid line</p><div><br></div>"
                           "<p>The <b>fnial</b> words, writen here.</p>"));
    dialog.answers = {ScriptedSpellDialog::change(QStringLiteral("second")), ScriptedSpellDialog::change(QStringLiteral("third")),
                      ScriptedSpellDialog::change(QStringLiteral("final")), ScriptedSpellDialog::change(QStringLiteral("written"))};
    check();
    EXPECT_EQ(marked, (QStringList{QStringLiteral("secnd"), QStringLiteral("thrid"), QStringLiteral("fnial"),
                                   QStringLiteral("writen")}));
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p>First line</p><p>second line<br><br>third line</p><div><br></div>"
                                                       "<p>The <b>final</b> words, written here.</p>"));
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("The spelling check is complete.")});
    ASSERT_FALSE(dialog.asked.isEmpty());
    EXPECT_TRUE(dialog.asked.first().suggestions.contains(QStringLiteral("second")));
}

TEST_F(EditorSpellingTest, wordsApartByTabsOrBlanksInTheirOwnElementsAreWordsOfTheirOwn)
{
    // Tabs as the engine writes them, and a blank alone in an inline element.
    setBody(QStringLiteral("<p>Day<span style=\"white-space:pre\">\t</span>Plaec<span style=\"white-space:pre\">\t</span>Time</p>"
                           "<p><b>Some</b><span> </span><i>wrods</i></p>"));
    EXPECT_EQ(document.bodyText(), QStringLiteral("Day\tPlaec\tTime\nSome wrods"));
    dialog.answers = {ScriptedSpellDialog::change(QStringLiteral("Place")), ScriptedSpellDialog::change(QStringLiteral("words"))};
    check();
    EXPECT_EQ(marked, (QStringList{QStringLiteral("Plaec"), QStringLiteral("wrods")}));
    EXPECT_EQ(document.bodyText(), QStringLiteral("Day\tPlace\tTime\nSome words"));
}

TEST_F(EditorSpellingTest, addedWordsAreKnownFromThenOn)
{
    setBody(QStringLiteral("<p>Ferrowen and Ferrowen</p>"));
    dialog.answers = {ScriptedSpellDialog::of(SpellAnswer::Action::AddToDictionary)};
    check();
    EXPECT_EQ(marked, QStringList{QStringLiteral("Ferrowen")});
    marked.clear();
    check();
    EXPECT_TRUE(marked.isEmpty());
}

} // namespace

// Measures the editor where the user waits: the refresh of the buttons and
// lists after each caret move, and a spelling check of a long text, each
// beside the engine's own floor (one script call; Hunspell checking the
// same words alone; the time to the first question of the spelling check
// and between its questions, beside reading the text once and Hunspell
// checking and suggesting alone, the two taken in turn).

#include "editor/SpellCheckEditor.h"
#include "editor/SpellTarget.h"
#include "editor/ui/EditorPanel.h"
#include "platform/EditorDocument.h"
#include "platform/spell/HunspellEngine.h"
#include "platform/web/EngineEditorDocument.h"
#include "spell/SpellChecker.h"
#include "spell/WordSplitter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "ScriptedMessageBoxes.h"
#include "ScriptedSpellDialog.h"
#include "TestEditorHost.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

// Hunspell, with the time it spends suggesting counted.
class TimedEngine : public SpellEngine
{
public:
    explicit TimedEngine(SpellEngine &engine)
        : m_engine(engine)
    {
    }

    qint64 suggestingNs = 0;

    QStringList installedDictionaries() const override { return m_engine.installedDictionaries(); }
    bool loadDictionary(const QString &path) override { return m_engine.loadDictionary(path); }
    QString dictionary() const override { return m_engine.dictionary(); }
    void addWord(const QString &word) override { m_engine.addWord(word); }
    bool isCorrect(const QString &word) override { return m_engine.isCorrect(word); }
    QStringList suggest(const QString &word) override
    {
        QElapsedTimer timer;
        timer.start();
        QStringList suggestions = m_engine.suggest(word);
        suggestingNs += timer.nsecsElapsed();
        return suggestions;
    }

private:
    SpellEngine &m_engine;
};

struct Summary
{
    double medianMs;
    double p90Ms;
    double maxMs;
};

Summary timeRepeatedly(int times, const std::function<void()> &work)
{
    std::vector<qint64> samples;
    QElapsedTimer timer;
    for (int i = 0; i < times; ++i) {
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed());
    }
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double fraction) {
        return samples[static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1))] / 1e6;
    };
    return {at(0.5), at(0.9), samples.back() / 1e6};
}

void print(const char *what, const Summary &summary, int runs)
{
    std::printf("%-52s median %8.3f ms   p90 %8.3f ms   max %8.3f ms   (%d runs)\n", what, summary.medianMs,
                summary.p90Ms, summary.maxMs, runs);
}

void measureRefresh()
{
    TestEditorHost host;
    EditorPanel panel(host);
    panel.parts().panel->resize(800, 500);
    panel.parts().editor->setGeometry(0, 30, 800, 470);
    panel.parts().panel->show();
    EditorDocument &document = panel.document();

    QString body;
    for (int i = 0; i < 40; ++i)
        body += QStringLiteral("<p>Paragraph %1 with <b>bold</b>, <i>italic</i> and <font face=\"Verdana\" size=\"4\">"
                               "a font</font>.</p><ul><li>an item</li></ul>")
                    .arg(i);
    document.setDocumentHTML(QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>"));
    const int caret = int(document.bodyText().indexOf(QStringLiteral("bold"))) + 2;
    document.select({caret, caret});

    constexpr int Runs = 300;
    print("display refresh (11 buttons, font, size)", timeRepeatedly(Runs, [&] { panel.refreshDisplay(); }), Runs);
    print("  the same, one button's state only",
          timeRepeatedly(Runs, [&] { (void)document.commandStates({{EditingCommand::Route::Engine, QStringLiteral("bold")}}); }),
          Runs);
    print("floor: one script call (no work)",
          timeRepeatedly(Runs, [&] { (void)document.commandStates({}); }), Runs);
    // The panel deletes the parts it never handed to a window.
}

// 5,000 words in 100 paragraphs with line breaks; every 50th word is one
// of the misspellings.
QString longText(QStringList &misspelled)
{
    const QStringList words = QStringLiteral(
        "the quick brown fox jumps over a lazy dog while people walk along the river and talk about "
        "their plans for the summer holidays in the mountains near small villages with old houses")
                                  .split(QLatin1Char(' '));
    const QStringList wrong = {QStringLiteral("recieve"), QStringLiteral("teh"), QStringLiteral("adress"),
                               QStringLiteral("wierd"), QStringLiteral("occured")};
    QString html;
    int count = 0;
    for (int paragraph = 0; paragraph < 100; ++paragraph) {
        html += QStringLiteral("<p>");
        for (int i = 0; i < 50; ++i, ++count) {
            if (i == 25)
                html += QStringLiteral("<br>");
            if (count % 50 == 17) {
                misspelled << wrong[(count / 50) % wrong.size()];
                html += misspelled.last();
            } else {
                html += words[count % words.size()];
            }
            html += QLatin1Char(' ');
        }
        html += QStringLiteral("</p>");
    }
    return html;
}

void measureSpelling()
{
    HunspellEngine engine;
    const QStringList english = engine.installedDictionaries().filter(QStringLiteral("/en_US.dic"));
    if (english.isEmpty()) {
        std::printf("spelling: skipped, the en_US dictionary is not installed\n");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    (void)engine.loadDictionary(english.first());
    std::printf("%-52s %8.1f ms\n", "loading the en_US dictionary", timer.nsecsElapsed() / 1e6);

    QWidget window;
    EngineEditorDocument document(&window);
    window.resize(800, 500);
    window.show();
    QStringList misspelled;
    const QString html = QStringLiteral("<html><body>") + longText(misspelled) + QStringLiteral("</body></html>");
    document.setDocumentHTML(html);
    const QString text = document.bodyText();

    // The floor: Hunspell on every word of the same text, nothing else.
    const QList<TextWord> words = splitWords(text);
    int wrong = 0;
    const Summary floor = timeRepeatedly(5, [&] {
        wrong = 0;
        for (const TextWord &word : words)
            wrong += engine.isCorrect(word.text) ? 0 : 1;
    });
    std::printf("%-52s median %8.3f ms   (%lld words, %d wrong)\n", "floor: Hunspell checking the words alone",
                floor.medianMs, static_cast<long long>(words.size()), wrong);

    // What the user waits for, each side timed in turn over the same text
    // (the program's check changes it, so it is set again before each of
    // its rounds), after one round of the floor that warms Hunspell's
    // caches for both: the time to the first question and between
    // questions.
    struct Questions
    {
        std::vector<double> first;
        std::vector<double> gaps;
        void add(double ms, bool isFirst) { (isFirst ? first : gaps).push_back(ms); }
    };
    // The floor: the text read in one call, the words checked up to the
    // misspelled one and its suggestions made; then from one misspelled
    // word to the next, the words between checked and the next one's
    // suggestions made.
    const auto floorRound = [&](Questions &questions) {
        QElapsedTimer floorTimer;
        floorTimer.start();
        bool first = true;
        const QList<TextWord> read = splitWords(document.bodyText());
        for (const TextWord &word : read) {
            if (engine.isCorrect(word.text))
                continue;
            (void)engine.suggest(word.text);
            questions.add(floorTimer.nsecsElapsed() / 1e6, std::exchange(first, false));
            floorTimer.restart();
        }
    };
    // The whole check, every word answered with its first suggestion.
    double totalMs = 0, suggestingMs = 0;
    bool complete = true;
    qsizetype asked = 0;
    const auto programRound = [&](Questions &questions) {
        document.setDocumentHTML(html);
        ScriptedSpellDialog dialog;
        QElapsedTimer sinceLastQuestion;
        bool first = true;
        dialog.onAsk = [&](const SpellQuestion &question) {
            questions.add(sinceLastQuestion.nsecsElapsed() / 1e6, std::exchange(first, false));
            dialog.answers = {ScriptedSpellDialog::change(question.suggestions.value(0, question.word))};
            sinceLastQuestion.restart();
        };
        TimedEngine timed(engine);
        SpellChecker checker(timed, dialog);
        ScriptedMessageBoxes boxes;
        EditorBodySpellTarget target(document);
        QElapsedTimer total;
        total.start();
        sinceLastQuestion.start();
        SpellCheckEditor(checker, target, {english.first(), QString()}, boxes);
        totalMs = total.nsecsElapsed() / 1e6;
        suggestingMs = timed.suggestingNs / 1e6;
        asked = dialog.asked.size();
        complete = complete && boxes.texts().contains(QStringLiteral("The spelling check is complete."));
    };
    Questions warmUp, ours, floors;
    floorRound(warmUp);
    constexpr int Rounds = 3;
    for (int round = 0; round < Rounds; ++round) {
        // Which side goes first changes from round to round.
        if (round % 2 == 0) {
            floorRound(floors);
            programRound(ours);
        } else {
            programRound(ours);
            floorRound(floors);
        }
    }

    std::printf("%-52s %8.1f ms   (%lld words asked about, %s; the last of %d rounds)\n",
                "spelling check, 5,000 words, 100 misspelled", totalMs, static_cast<long long>(asked),
                complete ? "complete" : "NOT complete", Rounds);
    std::printf("%-52s %8.1f ms   (%.1f ms a word)\n", "  of which Hunspell suggesting for the dialog", suggestingMs,
                suggestingMs / 100.0);
    std::printf("%-52s %8.1f ms   (%.2f ms a word)\n", "  the rest: marking, replacing, going on", totalMs - suggestingMs,
                (totalMs - suggestingMs) / 100.0);
    const auto middle = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    };
    const double firstMs = middle(ours.first), floorFirstMs = middle(floors.first);
    const double gapMs = middle(ours.gaps), floorGapMs = middle(floors.gaps);
    std::printf("%-52s %8.1f ms   floor %6.1f ms   ratio %5.2fx   (medians of %d interleaved rounds)\n",
                "time to the first question", firstMs, floorFirstMs, floorFirstMs > 0 ? firstMs / floorFirstMs : 0.0,
                Rounds);
    std::printf("%-52s %8.1f ms   floor %6.1f ms   ratio %5.2fx   (medians)\n", "time between questions", gapMs,
                floorGapMs, floorGapMs > 0 ? gapMs / floorGapMs : 0.0);
}

// The body's text where whitespace decides what a word is: a table laid
// out over indented lines (whitespace between blocks) and tab-separated
// lines as the engine writes pasted tabs (whitespace in its own element).
void measureWhitespaceText()
{
    QWidget window;
    EngineEditorDocument document(&window);
    window.resize(800, 500);
    window.show();
    QString html = QStringLiteral("<table>\n");
    for (int row = 0; row < 500; ++row)
        html += QStringLiteral("  <tr>\n    <td>cell</td>\n    <td>cell</td>\n  </tr>\n");
    html += QStringLiteral("</table>\n");
    const QString tab = QStringLiteral("<span style=\"white-space:pre\">\t</span>");
    for (int line = 0; line < 500; ++line)
        html += QStringLiteral("<p>Day") + tab + QStringLiteral("Place") + tab + QStringLiteral("Time</p>\n");
    document.setDocumentHTML(QStringLiteral("<html><body>") + html + QStringLiteral("</body></html>"));
    constexpr int Runs = 20;
    print("body text, 3,000 blank nodes and 1,000 tab spans", timeRepeatedly(Runs, [&] { (void)document.bodyText(); }), Runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    measureRefresh();
    measureWhitespaceText();
    measureSpelling();
    return 0;
}

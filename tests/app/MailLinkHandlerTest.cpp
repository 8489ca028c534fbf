#include "app/MailLinkHandler.h"

#include "platform/CommandRunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"

using namespace ferrowen;
using Result = CommandRunner::Result;

namespace {

// Answers each run with the next prepared result and records the commands.
class ScriptedRunner : public CommandRunner
{
public:
    QList<Result> results;
    QStringList commands;

    Result run(const QString &program, const QStringList &arguments) override
    {
        commands << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
        return results.isEmpty() ? Result{} : results.takeFirst();
    }
};

const QString SetCommand = QStringLiteral("xdg-mime default ferrowen-mailto.desktop x-scheme-handler/mailto");
const QString QueryCommand = QStringLiteral("xdg-mime query default x-scheme-handler/mailto");

TEST(MailLinkHandlerTest, asksRunsReadsBackAndSaysWhatHappened)
{
    QTemporaryDir applications;
    ferrowen::testing::writeFile(applications.filePath(QStringLiteral("ferrowen-mailto.desktop")), "[Desktop Entry]\n");
    const Result setOk{true, 0, QString(), QString()};
    const Result isOurs{true, 0, QStringLiteral("ferrowen-mailto.desktop\n"), QString()};

    const struct
    {
        const char *name;
        MessageBoxes::Answer answer;
        bool entryInstalled;
        QList<Result> results;
        QStringList commands;
        const char *message; // what the last box says
        bool set;
    } rows[] = {
        {"declined", MessageBoxes::Answer::No, true, {}, {}, "Make Ferrowen the program that opens mail links", false},
        {"no desktop entry", MessageBoxes::Answer::Yes, false, {}, {}, "is in none of the desktop's application folders", false},
        {"no xdg-mime", MessageBoxes::Answer::Yes, true, {Result{false, -1, {}, QStringLiteral("No such file")}}, {SetCommand},
         "xdg-utils", false},
        {"xdg-mime fails", MessageBoxes::Answer::Yes, true, {Result{true, 5, {}, QStringLiteral("no permission")}}, {SetCommand},
         "exit code 5.\nno permission", false},
        {"another handler stays", MessageBoxes::Answer::Yes, true, {setOk, Result{true, 0, QStringLiteral("thunderbird.desktop\n"), {}}},
         {SetCommand, QueryCommand}, "the desktop still names thunderbird.desktop", false},
        {"reading back fails", MessageBoxes::Answer::Yes, true, {setOk, Result{true, 1, {}, {}}}, {SetCommand, QueryCommand},
         "reading it back failed", false},
        {"set", MessageBoxes::Answer::Yes, true, {setOk, isOurs}, {SetCommand, QueryCommand},
         "Ferrowen is now the mail link handler", true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ferrowen::testing::ScriptedMessageBoxes boxes;
        boxes.answers << row.answer;
        ScriptedRunner runner;
        runner.results = row.results;
        const QStringList folders{row.entryInstalled ? applications.path() : applications.filePath(QStringLiteral("none"))};

        EXPECT_EQ(MakeMailLinkHandler(boxes, runner, folders), row.set);
        EXPECT_EQ(runner.commands, row.commands);
        ASSERT_FALSE(boxes.shown.isEmpty());
        EXPECT_EQ(boxes.shown.first().buttons, MessageBoxes::Buttons::YesNo) << "asked first";
        EXPECT_TRUE(boxes.shown.last().text.contains(QLatin1String(row.message))) << boxes.shown.last().text.toStdString();
        EXPECT_EQ(boxes.shown.size(), row.answer == MessageBoxes::Answer::Yes ? 2 : 1) << "says whether it worked";
    }
}

} // namespace

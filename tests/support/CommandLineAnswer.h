#pragma once

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace ferrowen::testing {

// What a program answers to a command line that ends it at once.
struct CommandLineAnswer
{
    QStringList arguments;
    int exitCode;
    const char *output; // what standard output starts with
    const char *errors; // what standard error contains; "": nothing at all
};

// Checks the answer of `process`, started with the row's arguments.
inline void expectAnswered(QProcess &process, const CommandLineAnswer &row)
{
    const std::string args = row.arguments.join(u' ').toStdString();
    ASSERT_TRUE(process.waitForFinished(30000)) << args;
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << args;
    EXPECT_EQ(process.exitCode(), row.exitCode) << args;
    EXPECT_TRUE(process.readAllStandardOutput().startsWith(row.output)) << args;
    const QByteArray errors = process.readAllStandardError();
    EXPECT_TRUE(*row.errors ? errors.contains(row.errors) : errors.isEmpty()) << args << ": " << errors.constData();
}

// Runs `program` with the row's arguments in `environment` and checks its answer.
inline void expectAnswer(const QString &program, const CommandLineAnswer &row,
                         const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, row.arguments);
    expectAnswered(process, row);
}

} // namespace ferrowen::testing

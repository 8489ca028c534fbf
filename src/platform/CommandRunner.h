#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// Runs a program of the desktop to its end, behind an interface so tests
// can answer in its place.
class CommandRunner
{
public:
    struct Result
    {
        bool started = false; // false: the program was not found or could not run
        int exitCode = -1;    // -1 as well when it crashed or did not finish in time
        QString output;       // standard output
        QString errors;       // standard error, or why it did not start or finish
    };

    virtual ~CommandRunner() = default;
    virtual Result run(const QString &program, const QStringList &arguments) = 0;
};

} // namespace ferrowen

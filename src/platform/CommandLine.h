#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace ferrowen {

// The command line of one of the project's programs: its own options, the
// standard -h/--help and -v/--version, and at most a given number of plain
// arguments. Options may take the long form with one dash too ("-port 80"),
// as Qt's own options do.
class CommandLine
{
public:
    struct Option
    {
        QStringList names; // "port", or "h" and "help"
        QString description;
        QString valueName = {}; // empty: a switch without a value
    };

    // `usage` follows the program's name in the help's first line, such as
    // "[options] [mailto-link]".
    CommandLine(QString program, QString description, QString usage = QStringLiteral("[options]"));

    void addOption(const Option &option);
    // Options that someone else reads later (Qt's own, for the windowed
    // program): accepted, kept out of the help.
    void acceptUndescribed(const Option &option);
    // Plain arguments allowed (0 by default); each extra one is a mistake.
    void allowArguments(int count, QString helpLines = QString());
    // A paragraph at the end of the help.
    void setEpilogue(QString text) { m_epilogue = std::move(text); }

    // Reads `arguments` (program name first). For --help or --version it
    // writes the text to `out` and gives exit code 0; for a mistake it
    // writes what is wrong and how to get help to `err` and gives 2. No
    // value: the program runs.
    std::optional<int> parse(const QStringList &arguments, QTextStream &out, QTextStream &err);

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList arguments() const { return m_parser.positionalArguments(); }

    QString helpText() const;
    QString versionText() const;

private:
    QString m_program;
    QString m_description;
    QString m_usage;
    QString m_argumentsHelp;
    QString m_epilogue;
    int m_allowedArguments = 0;
    QList<Option> m_described;
    QCommandLineParser m_parser;
};

} // namespace ferrowen

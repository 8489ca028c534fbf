#include "platform/CommandLine.h"

#include "platform/ProgramVersion.h"

#include <QTextStream>

#include <algorithm>

namespace ferrowen {

namespace {

const CommandLine::Option HelpOption{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits.")};
const CommandLine::Option VersionOption{{QStringLiteral("v"), QStringLiteral("version")},
                                        QStringLiteral("Shows the version and exits.")};

QCommandLineOption toQt(const CommandLine::Option &option)
{
    return option.valueName.isEmpty() ? QCommandLineOption(option.names, option.description)
                                      : QCommandLineOption(option.names, option.description, option.valueName);
}

// "-h, --help" or "--port <N>".
QString spelling(const CommandLine::Option &option)
{
    QStringList forms;
    for (const QString &name : option.names)
        forms << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = forms.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty())
        text += QStringLiteral(" <") + option.valueName + QLatin1Char('>');
    return text;
}

} // namespace

CommandLine::CommandLine(QString program, QString description, QString usage)
    : m_program(std::move(program))
    , m_description(std::move(description))
    , m_usage(std::move(usage))
{
    // "-platform xcb" must stay one option, not eight letters.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    addOption(HelpOption);
    addOption(VersionOption);
}

void CommandLine::addOption(const Option &option)
{
    m_described << option;
    m_parser.addOption(toQt(option));
}

void CommandLine::acceptUndescribed(const Option &option)
{
    QCommandLineOption hidden = toQt(option);
    hidden.setFlags(QCommandLineOption::HiddenFromHelp);
    m_parser.addOption(hidden);
}

void CommandLine::allowArguments(int count, QString helpLines)
{
    m_allowedArguments = count;
    m_argumentsHelp = std::move(helpLines);
}

std::optional<int> CommandLine::parse(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const auto mistake = [&](const QString &what) {
        err << m_program << ": " << what << '\n' << "Try '" << m_program << " --help' for more information.\n";
        err.flush();
        return 2;
    };
    if (!m_parser.parse(arguments))
        return mistake(m_parser.errorText());
    if (isSet(QStringLiteral("help"))) {
        out << helpText();
        out.flush();
        return 0;
    }
    if (isSet(QStringLiteral("version"))) {
        out << versionText();
        out.flush();
        return 0;
    }
    const QStringList plain = m_parser.positionalArguments();
    if (plain.size() > m_allowedArguments)
        return mistake(QStringLiteral("unexpected argument '%1'.").arg(plain.at(m_allowedArguments)));
    return std::nullopt;
}

QString CommandLine::helpText() const
{
    QString text = QStringLiteral("Usage: %1 %2\n%3\n\nOptions:\n").arg(m_program, m_usage, m_description);
    // Own options after --help and --version, as registered.
    qsizetype width = 0;
    for (const Option &option : m_described)
        width = std::max(width, spelling(option).size());
    for (const Option &option : m_described)
        text += QStringLiteral("  ") + spelling(option).leftJustified(width + 2) + option.description + QLatin1Char('\n');
    if (!m_argumentsHelp.isEmpty())
        text += QStringLiteral("\nArguments:\n") + m_argumentsHelp + QLatin1Char('\n');
    if (!m_epilogue.isEmpty())
        text += QLatin1Char('\n') + m_epilogue + QLatin1Char('\n');
    return text;
}

QString CommandLine::versionText() const
{
    return m_program + QLatin1Char(' ') + programVersion() + QLatin1Char('\n');
}

} // namespace ferrowen

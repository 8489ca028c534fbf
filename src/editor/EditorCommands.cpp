#include "editor/EditorCommands.h"

#include "platform/EditorDocument.h"

namespace ferrowen {

namespace {

QString engineValue(EditorCommand command, const QVariant &value)
{
    switch (command) {
    case EditorCommand::SetBlockFormat:
        return blockFormatTag(value.toString());
    case EditorCommand::SetFontSize:
        return QString::number(value.toInt());
    default:
        return value.toString();
    }
}

} // namespace

QVariant commandValue(EditorCommand command, const EditingCommandState &state)
{
    if (command == EditorCommand::GetFontSize) {
        bool isNumber = false;
        const int size = state.value.toInt(&isNumber);
        return isNumber ? size : 0;
    }
    return firstFontFamily(state.value);
}

EditorCommands::EditorCommands(EditorDocument &document)
    : m_document(document)
{
}

QVariant EditorCommands::ExecCommand(EditorCommand command, ExecOption option, const QVariant &value)
{
    const CommandRoute route = commandRoute(command);
    switch (route.use) {
    case CommandRoute::Use::ReadValue: {
        const QList<EditingCommandState> found = m_document.commandStates({route.command});
        return commandValue(command, found.value(0));
    }
    case CommandRoute::Use::Prompt:
        if (option == ExecOption::PromptUser && m_fontPrompt) {
            m_fontPrompt();
            return true;
        }
        return false;
    case CommandRoute::Use::Run:
        break;
    }
    return m_document.runCommand(route.command, engineValue(command, value));
}

QList<EditingCommandState> EditorCommands::states(const QList<EditorCommand> &commands)
{
    QList<EditingCommand> routes;
    for (EditorCommand command : commands)
        routes << commandRoute(command).command;
    QList<EditingCommandState> found = m_document.commandStates(routes);
    found.resize(commands.size());
    return found;
}

CommandStatus EditorCommands::QueryStatus(EditorCommand command)
{
    return QueryStatuses({command}).value(0, CommandStatus::NotSupported);
}

QList<CommandStatus> EditorCommands::QueryStatuses(const QList<EditorCommand> &commands)
{
    QList<CommandStatus> statuses;
    for (const EditingCommandState &state : states(commands))
        statuses << commandStatusOf(state);
    return statuses;
}

} // namespace ferrowen

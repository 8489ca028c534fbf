#pragma once

#include "editor/EditorCommand.h"

#include <QList>
#include <QVariant>

#include <functional>

namespace ferrowen {

class EditorDocument;

// ExecCommand and QueryStatus by command number, over the editor's
// document through the one command table.
class EditorCommands
{
public:
    explicit EditorCommands(EditorDocument &document);

    // What "Font..." shows when asked to prompt the user.
    void setFontPrompt(std::function<void()> prompt) { m_fontPrompt = std::move(prompt); }

    // Runs a command. The font name and size commands return their value
    // (a name; a number, 0 when mixed or unknown); the others return
    // whether the command ran. Only the font dialog looks at the option.
    QVariant ExecCommand(EditorCommand command, ExecOption option = ExecOption::DontPromptUser,
                         const QVariant &value = QVariant());
    CommandStatus QueryStatus(EditorCommand command);
    // Several commands in one exchange with the engine, in the order given.
    QList<CommandStatus> QueryStatuses(const QList<EditorCommand> &commands);

    // The state of several commands with their values, in one exchange.
    QList<EditingCommandState> states(const QList<EditorCommand> &commands);

    EditorDocument &document() const { return m_document; }

private:
    EditorDocument &m_document;
    std::function<void()> m_fontPrompt;
};

// The value a font name or size command reports, from its engine state.
QVariant commandValue(EditorCommand command, const EditingCommandState &state);

} // namespace ferrowen

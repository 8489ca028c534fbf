#pragma once

#include "platform/EditorDocument.h"

#include <QList>
#include <QString>

namespace ferrowen {

// The editing commands by the numbers the toolbar, the lists, the context
// menu and the dialogs use.
enum class EditorCommand : int {
    Bold = 5000,
    Copy = 5002,
    Cut = 5003,
    DeleteColumns = 5006,
    DeleteRows = 5007,
    FontDialog = 5009,
    GetFontName = 5013,
    GetFontSize = 5014,
    Hyperlink = 5016, // links the selection, or readdresses the link holding it
    Indent = 5018,
    InsertColumn = 5020,
    InsertRow = 5021,
    Italic = 5023,
    JustifyCenter = 5024,
    JustifyLeft = 5025,
    JustifyRight = 5026,
    MakeAbsolute = 5028, // toggles between positioned ("2D") and flowing ("1D")
    OrderedList = 5030,
    Outdent = 5031,
    Paste = 5032,
    SelectAll = 5035,
    SendToBack = 5040, // queried only: on for an element that is positioned
    SetBlockFormat = 5043,
    SetFontName = 5044,
    SetFontSize = 5045,
    SetForeColor = 5046,
    Underline = 5048,
    Undo = 5049,
    Unlink = 5050,
    UnorderedList = 5051,
};

// 3 or more means available; 7 means on. The engine knows no mixed state,
// so 11 is never reported.
enum class CommandStatus : int { NotSupported = 0, Disabled = 1, Enabled = 3, Latched = 7, Ninched = 11 };

enum class ExecOption : int { Default = 0, PromptUser = 1, DontPromptUser = 2 };

inline bool isAvailable(CommandStatus status)
{
    return int(status) >= int(CommandStatus::Enabled);
}

// How a command reaches the editing component. Commands that only read a
// value (font name and size) and the font dialog are told by the engine
// command whose state and value they report.
struct CommandRoute
{
    enum class Use { Run, ReadValue, Prompt };
    EditingCommand command;
    Use use = Use::Run;
};

// The one table of the editor's commands.
CommandRoute commandRoute(EditorCommand command);
QList<EditorCommand> allEditorCommands();

CommandStatus commandStatusOf(const EditingCommandState &state);

// The block format the engine takes for a style name: "Normal" is a
// paragraph ("p"), "Heading n" is "hn"; other names go as they are.
QString blockFormatTag(const QString &styleName);

// The first font family of a CSS font list, without quotes:
// "\"Times New Roman\", serif" -> "Times New Roman".
QString firstFontFamily(const QString &fontList);

} // namespace ferrowen

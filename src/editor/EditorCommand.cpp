#include "editor/EditorCommand.h"

#include <QHash>
#include <QRegularExpression>

namespace ferrowen {

namespace {

using Route = EditingCommand::Route;
using Use = CommandRoute::Use;

struct Entry
{
    EditorCommand id;
    Route route;
    const char *name;
    Use use;
};

// Cut, copy, paste and undo are the view's own actions: the engine's
// commands for them need clipboard rights the editor page does not have.
// Rows, columns and positioning have no engine command at all.
const Entry table[] = {
    {EditorCommand::Bold, Route::Engine, "bold", Use::Run},
    {EditorCommand::Copy, Route::ViewAction, "copy", Use::Run},
    {EditorCommand::Cut, Route::ViewAction, "cut", Use::Run},
    {EditorCommand::DeleteColumns, Route::Dom, "deleteColumns", Use::Run},
    {EditorCommand::DeleteRows, Route::Dom, "deleteRows", Use::Run},
    {EditorCommand::FontDialog, Route::Engine, "fontName", Use::Prompt},
    {EditorCommand::GetFontName, Route::Engine, "fontName", Use::ReadValue},
    {EditorCommand::GetFontSize, Route::Engine, "fontSize", Use::ReadValue},
    {EditorCommand::Hyperlink, Route::Dom, "hyperlink", Use::Run},
    {EditorCommand::Indent, Route::Engine, "indent", Use::Run},
    {EditorCommand::InsertColumn, Route::Dom, "insertColumn", Use::Run},
    {EditorCommand::InsertRow, Route::Dom, "insertRow", Use::Run},
    {EditorCommand::Italic, Route::Engine, "italic", Use::Run},
    {EditorCommand::JustifyCenter, Route::Engine, "justifyCenter", Use::Run},
    {EditorCommand::JustifyLeft, Route::Engine, "justifyLeft", Use::Run},
    {EditorCommand::JustifyRight, Route::Engine, "justifyRight", Use::Run},
    {EditorCommand::MakeAbsolute, Route::Dom, "makeAbsolute", Use::Run},
    {EditorCommand::OrderedList, Route::Engine, "insertOrderedList", Use::Run},
    {EditorCommand::Outdent, Route::Engine, "outdent", Use::Run},
    {EditorCommand::Paste, Route::ViewAction, "paste", Use::Run},
    {EditorCommand::SelectAll, Route::Engine, "selectAll", Use::Run},
    {EditorCommand::SendToBack, Route::Dom, "sendToBack", Use::Run},
    {EditorCommand::SetBlockFormat, Route::Engine, "formatBlock", Use::Run},
    {EditorCommand::SetFontName, Route::Engine, "fontName", Use::Run},
    {EditorCommand::SetFontSize, Route::Engine, "fontSize", Use::Run},
    {EditorCommand::SetForeColor, Route::Engine, "foreColor", Use::Run},
    {EditorCommand::Underline, Route::Engine, "underline", Use::Run},
    {EditorCommand::Undo, Route::ViewAction, "undo", Use::Run},
    {EditorCommand::Unlink, Route::Dom, "unlink", Use::Run},
    {EditorCommand::UnorderedList, Route::Engine, "insertUnorderedList", Use::Run},
};

} // namespace

CommandRoute commandRoute(EditorCommand command)
{
    for (const Entry &entry : table) {
        if (entry.id == command)
            return {{entry.route, QLatin1String(entry.name)}, entry.use};
    }
    return {};
}

QList<EditorCommand> allEditorCommands()
{
    QList<EditorCommand> commands;
    for (const Entry &entry : table)
        commands << entry.id;
    return commands;
}

CommandStatus commandStatusOf(const EditingCommandState &state)
{
    if (!state.supported)
        return CommandStatus::NotSupported;
    if (!state.enabled)
        return CommandStatus::Disabled;
    return state.on ? CommandStatus::Latched : CommandStatus::Enabled;
}

QString blockFormatTag(const QString &styleName)
{
    static const QRegularExpression heading(QStringLiteral("^Heading ([1-6])$"), QRegularExpression::CaseInsensitiveOption);
    const QString name = styleName.trimmed();
    if (name.compare(QLatin1String("Normal"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("p");
    if (const auto match = heading.match(name); match.hasMatch())
        return QLatin1Char('h') + match.captured(1);
    return name;
}

QString firstFontFamily(const QString &fontList)
{
    QString family = fontList.section(QLatin1Char(','), 0, 0).trimmed();
    if (family.size() >= 2 && (family.startsWith(QLatin1Char('"')) || family.startsWith(QLatin1Char('\'')))
        && family.endsWith(family.at(0)))
        family = family.mid(1, family.size() - 2);
    return family;
}

} // namespace ferrowen

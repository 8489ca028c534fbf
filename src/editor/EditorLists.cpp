#include "editor/EditorLists.h"

namespace ferrowen {

QStringList editorFontNames()
{
    return {QStringLiteral("Times New Roman"), QStringLiteral("Arial"), QStringLiteral("Tahoma"),
            QStringLiteral("Courier"), QStringLiteral("Verdana"), QStringLiteral("Wingdings")};
}

QStringList editorFontSizes()
{
    return {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
            QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
}

QStringList editorStyleNames()
{
    return {QStringLiteral("Normal"),    QStringLiteral("Heading 1"), QStringLiteral("Heading 2"),
            QStringLiteral("Heading 3"), QStringLiteral("Heading 4"), QStringLiteral("Heading 5"),
            QStringLiteral("Heading 6")};
}

QList<ToolbarStateEntry> toolbarStateTable()
{
    return {
        {"Bold", EditorCommand::Bold},
        {"Italic", EditorCommand::Italic},
        {"Underline", EditorCommand::Underline},
        {"Numbers", EditorCommand::OrderedList},
        {"Bullets", EditorCommand::UnorderedList},
        {"Outdent", EditorCommand::Outdent},
        {"Indent", EditorCommand::Indent},
        {"LeftJustify", EditorCommand::JustifyLeft},
        {"Center", EditorCommand::JustifyCenter},
        {"RightJustify", EditorCommand::JustifyRight},
        {"Color", EditorCommand::SetForeColor},
    };
}

} // namespace ferrowen

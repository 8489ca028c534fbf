#pragma once

#include <QString>

namespace ferrowen {

class EditorDocument;
class FileDialogs;
class MessageBoxes;

// The toolbar's "open": asks for an HTML file and loads it. A cancelled
// dialog changes nothing; a file that cannot be opened is reported and
// the document stays as it was, unless the editor had already taken it
// in and broke, which leaves an empty document. folder is where the
// dialog starts, and becomes the chosen file's folder.
void OpenEditorFile(EditorDocument &document, FileDialogs &dialogs, MessageBoxes &boxes, QString &folder);

// The toolbar's "save": asks for a file name (".htm" added when it has no
// extension) and saves there; a failure is reported and changes nothing.
void SaveEditorFile(EditorDocument &document, FileDialogs &dialogs, MessageBoxes &boxes, QString &folder);

} // namespace ferrowen

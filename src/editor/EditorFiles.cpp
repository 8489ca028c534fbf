#include "editor/EditorFiles.h"

#include "editor/DocumentFileReasons.h"
#include "platform/EditorDocument.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <QFileInfo>

namespace ferrowen {

namespace {

QString htmlFilter()
{
    return QStringLiteral("HTML Files (*.htm *.html);;All Files (*)");
}

} // namespace

void OpenEditorFile(EditorDocument &document, FileDialogs &dialogs, MessageBoxes &boxes, QString &folder)
{
    const QString path = dialogs.openFileName(QStringLiteral("Open HTML File"), folder, htmlFilter());
    if (path.isEmpty())
        return;
    folder = QFileInfo(path).absolutePath();
    const DocumentFileError error = document.LoadDocument(path);
    if (error == DocumentFileError::None)
        return;
    boxes.show(documentFileMessage(error, DocumentFileAction::Open), MessageBoxes::Buttons::Ok,
               MessageBoxes::Icon::Critical);
    // Only a load that went wrong inside the editor has touched the
    // document; every other failure is found before it is replaced.
    if (error == DocumentFileError::Unexpected)
        document.NewDocument();
}

void SaveEditorFile(EditorDocument &document, FileDialogs &dialogs, MessageBoxes &boxes, QString &folder)
{
    QString path = dialogs.saveFileName(QStringLiteral("Save Blog as HTML File"), folder, htmlFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".htm");
    folder = QFileInfo(path).absolutePath();
    const DocumentFileError error = document.SaveDocument(path);
    if (error != DocumentFileError::None)
        boxes.show(documentFileMessage(error, DocumentFileAction::Save), MessageBoxes::Buttons::Ok,
                   MessageBoxes::Icon::Critical);
}

} // namespace ferrowen

#include "editor/ui/EditorDialogSet.h"

#include "editor/ui/EditorHost.h"
#include "editor/ui/EditorPanel.h"
#include "editor/ui/FormCellProp.h"
#include "editor/ui/FormHyperLink.h"
#include "editor/ui/FormImage.h"
#include "editor/ui/FormTableProp.h"
#include "editor/ui/InsertTableDlg.h"

#include <QPointer>
#include <QWidget>

namespace ferrowen {

EditorDialogSet::EditorDialogSet(EditorPanel &panel, EditorHost &host, QWidget *dialogParent)
    : m_panel(panel)
    , m_host(host)
    , m_dialogParent(dialogParent)
{
}

template<typename Dialog, typename... Arguments>
void EditorDialogSet::run(Arguments &&...arguments)
{
    // Closing the main window while the dialog is open deletes it with the
    // window: a guarded pointer, not one on the stack.
    QPointer<Dialog> dialog = new Dialog(std::forward<Arguments>(arguments)..., m_dialogParent);
    dialog->exec();
    delete dialog;
    if (QWidget *editor = m_panel.parts().editor)
        editor->setFocus();
}

void EditorDialogSet::openHyperlink()
{
    run<FormHyperLink>(m_panel.commands(), m_host.messageBoxes());
}

void EditorDialogSet::openImage()
{
    run<FormImage>(m_panel.document(), m_host.messageBoxes());
}

void EditorDialogSet::openInsertTable()
{
    run<InsertTableDlg>(m_panel.document(), m_host.messageBoxes(), m_host.colorChooser());
}

void EditorDialogSet::openCellProperties(CellScope scope)
{
    run<FormCellProp>(m_panel.document(), m_host.messageBoxes(), m_host.colorChooser(), m_host.fileDialogs(),
                      scope);
}

void EditorDialogSet::openTableProperties()
{
    run<FormTableProp>(m_panel.document(), m_host.messageBoxes(), m_host.colorChooser(), m_host.fileDialogs());
}

} // namespace ferrowen

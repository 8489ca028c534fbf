#pragma once

#include "editor/ui/EditorDialogs.h"

class QWidget;

namespace ferrowen {

class EditorHost;
class EditorPanel;

// The editor's dialogs as the panel opens them: each modal over the main
// window, the input focus going back to the editing area afterwards.
class EditorDialogSet : public EditorDialogs
{
public:
    EditorDialogSet(EditorPanel &panel, EditorHost &host, QWidget *dialogParent);

    void openHyperlink() override;
    void openImage() override;
    void openInsertTable() override;
    void openCellProperties(CellScope scope) override;
    void openTableProperties() override;

private:
    template<typename Dialog, typename... Arguments>
    void run(Arguments &&...arguments);

    EditorPanel &m_panel;
    EditorHost &m_host;
    QWidget *m_dialogParent;
};

} // namespace ferrowen

#pragma once

#include "editor/SelectionSnapshot.h"
#include "editor/TableAttributes.h"
#include "editor/ui/TableControls.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace ferrowen {

class EditorDocument;

// "Cell Properties", "Row Properties" and "Column Properties": the cell
// holding the caret is read from the document source when the dialog
// opens; OK writes the chosen layout into the cell, every cell of its row
// or every cell of its column, and replaces the document keeping its base
// address. Cancel leaves the document as it was.
class FormCellProp : public QDialog
{
    Q_OBJECT

public:
    FormCellProp(EditorDocument &document, MessageBoxes &boxes, ColorChooser &colours, FileDialogs &files, CellScope scope,
                 QWidget *parent = nullptr);

    CellScope scope() const { return m_scope; }
    void setScope(CellScope scope);
    CellProperties properties() const;

    void accept() override;

private:
    void load();

    EditorDocument &m_document;
    MessageBoxes &m_boxes;
    CellScope m_scope = CellScope::Cell;
    SelectionSnapshot m_snapshot;
    int m_caret = 0;
    CellProperties m_loaded;
    QRadioButton *m_cellOption;
    QRadioButton *m_rowOption;
    QRadioButton *m_columnOption;
    SharedTableRows m_rows;
    QComboBox *m_verticalAlign;
    QCheckBox *m_noWrap;
    NumberControl *m_rowSpan;
    NumberControl *m_columnSpan;
};

} // namespace ferrowen

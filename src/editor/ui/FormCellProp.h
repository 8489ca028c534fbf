#pragma once

#include "editor/SelectionSnapshot.h"
#include "editor/TableAttributes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace ferrowen {

class ColorChooser;
class BackgroundControl;
class ColourControl;
class EditorDocument;
class FileDialogs;
class MessageBoxes;
class NumberControl;
class SizeControl;

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
    SizeControl *m_width;
    SizeControl *m_height;
    QComboBox *m_align;
    QComboBox *m_verticalAlign;
    QCheckBox *m_noWrap;
    NumberControl *m_rowSpan;
    NumberControl *m_columnSpan;
    ColourControl *m_background;
    ColourControl *m_borderColour;
    BackgroundControl *m_backgroundImage;
};

} // namespace ferrowen

#pragma once

#include "editor/TableAttributes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace ferrowen {

class ColorChooser;
class ColourControl;
class EditorDocument;
class MessageBoxes;
class SizeControl;

// "Insert Table" (toolbar key "table"): rows, columns, caption and the
// table's layout. OK inserts the table with its caption at the selection
// as one step undo reverts.
class InsertTableDlg : public QDialog
{
    Q_OBJECT

public:
    InsertTableDlg(EditorDocument &document, MessageBoxes &boxes, ColorChooser &colours, QWidget *parent = nullptr);

    InsertTableChoices choices() const;

    void accept() override;

private:
    EditorDocument &m_document;
    MessageBoxes &m_boxes;
    QLineEdit *m_rows;
    QLineEdit *m_columns;
    QLineEdit *m_caption;
    SizeControl *m_width;
    QComboBox *m_align;
    QSpinBox *m_border;
    QSpinBox *m_padding;
    QSpinBox *m_spacing;
    QCheckBox *m_showBorder;
    ColourControl *m_background;
    ColourControl *m_borderColour;
};

} // namespace ferrowen

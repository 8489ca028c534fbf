#pragma once

#include "editor/TableAttributes.h"
#include "editor/ui/TableControls.h"

#include <QDialog>

class QCheckBox;

namespace ferrowen {

class EditorDocument;

// "Table Properties": the layout of the table holding the caret, read from
// its TABLE tag when the dialog opens and written back by OK. Without a
// table the controls stay unfilled and OK changes nothing.
class FormTableProp : public QDialog
{
    Q_OBJECT

public:
    FormTableProp(EditorDocument &document, MessageBoxes &boxes, ColorChooser &colours, FileDialogs &files, QWidget *parent = nullptr);

    TableProperties properties() const;
    bool foundTable() const { return !m_tableHtml.isEmpty(); }

    void accept() override;

private:
    void load();

    EditorDocument &m_document;
    MessageBoxes &m_boxes;
    QString m_tableHtml;
    SharedTableRows m_rows;
    NumberControl *m_border;
    NumberControl *m_padding;
    NumberControl *m_spacing;
    QCheckBox *m_showBorder;
};

} // namespace ferrowen

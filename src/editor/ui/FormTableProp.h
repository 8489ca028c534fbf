#pragma once

#include "editor/TableAttributes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace ferrowen {

class ColorChooser;
class BackgroundControl;
class ColourControl;
class EditorDocument;
class FileDialogs;
class MessageBoxes;
class NumberControl;
class SizeControl;

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
    SizeControl *m_width;
    SizeControl *m_height;
    QComboBox *m_align;
    NumberControl *m_border;
    NumberControl *m_padding;
    NumberControl *m_spacing;
    QCheckBox *m_showBorder;
    ColourControl *m_background;
    ColourControl *m_borderColour;
    BackgroundControl *m_backgroundImage;
};

} // namespace ferrowen

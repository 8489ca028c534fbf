#include "editor/ui/InsertTableDlg.h"

#include "editor/ui/TableControls.h"
#include "platform/EditorDocument.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QSpinBox *numberBox(const char *name, const QString &value)
{
    auto *box = named(new QSpinBox, name);
    box->setRange(0, 9999);
    box->setValue(value.toInt());
    return box;
}

} // namespace

InsertTableDlg::InsertTableDlg(EditorDocument &document, MessageBoxes &boxes, ColorChooser &colours, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("InsertTableDlg"));
    setWindowTitle(tr("Insert Table"));
    const InsertTableChoices defaults;

    m_rows = named(new QLineEdit(defaults.rows), "Rows");
    m_columns = named(new QLineEdit(defaults.columns), "Cols");
    m_caption = named(new QLineEdit(defaults.caption), "TableCaption");
    auto *sizes = new QFormLayout;
    sizes->addRow(tr("&Rows:"), m_rows);
    sizes->addRow(tr("&Columns:"), m_columns);
    sizes->addRow(tr("Ca&ption:"), m_caption);

    m_width = new SizeControl(SizeControl::Dimension::Width, SizeControl::Unit::Percent, this);
    m_width->load(defaults.width);
    m_align = named(new QComboBox, "ComboHoriz");
    m_align->addItems(horizontalAlignments());
    m_align->setCurrentText(defaults.align);
    m_border = numberBox("EditBorder", defaults.border);
    m_padding = numberBox("EditPadding", defaults.padding);
    m_spacing = numberBox("EditSpacing", defaults.spacing);
    m_showBorder = named(new QCheckBox(tr("Always display border in edit mode")), "CheckShowBorder");
    m_showBorder->setChecked(document.showBorders());
    m_background = new ColourControl(tr("Set Background Color:"), "CheckSetBkColor", "CommandBkColor",
                                     "ShapeBkColor", colours, this);
    m_borderColour = new ColourControl(tr("Set Border Color:"), "CheckSetBorderColor", "CommandBorderColor",
                                       "ShapeBorderColor", colours, this);

    auto *layoutBox = new QGroupBox(tr("Layout"));
    auto *grid = new QGridLayout(layoutBox);
    m_width->addTo(grid, 0);
    auto *numbers = new QFormLayout;
    numbers->addRow(tr("&Alignment:"), m_align);
    numbers->addRow(tr("&Border:"), m_border);
    numbers->addRow(tr("Cell pa&dding:"), m_padding);
    numbers->addRow(tr("Cell &spacing:"), m_spacing);
    grid->addLayout(numbers, 1, 0, 1, 3);
    m_background->addTo(grid, 2);
    m_borderColour->addTo(grid, 3);
    grid->addWidget(m_showBorder, 4, 0, 1, 3);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *column = new QVBoxLayout(this);
    column->addLayout(sizes);
    column->addWidget(layoutBox);
    column->addWidget(buttons);
}

InsertTableChoices InsertTableDlg::choices() const
{
    InsertTableChoices choices;
    choices.rows = m_rows->text();
    choices.columns = m_columns->text();
    choices.caption = m_caption->text();
    choices.width = m_width->setting();
    choices.align = m_align->currentText();
    choices.border = QString::number(m_border->value());
    choices.padding = QString::number(m_padding->value());
    choices.spacing = QString::number(m_spacing->value());
    choices.background = m_background->setting();
    choices.borderColour = m_borderColour->setting();
    return choices;
}

void InsertTableDlg::accept()
{
    const TableInsertion insertion = planTableInsertion(choices());
    if (!insertion.message.isEmpty()) {
        m_boxes.show(insertion.message, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical);
        return;
    }
    m_document.setShowBorders(m_showBorder->isChecked());
    // In place of the selection (or at the caret), as one step undo reverts.
    const Status pasted = m_document.pasteHtml(m_document.selection().range, insertion.html);
    if (!pasted) {
        m_boxes.show(tr("The table could not be inserted into the document: ") + pasted.error(),
                     MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical);
        return;
    }
    QDialog::accept();
}

} // namespace ferrowen

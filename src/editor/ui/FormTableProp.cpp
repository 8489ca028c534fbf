#include "editor/ui/FormTableProp.h"

#include "editor/SelectionSnapshot.h"
#include "editor/ui/ListChoice.h"
#include "editor/ui/TableControls.h"
#include "platform/EditorDocument.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ferrowen {

FormTableProp::FormTableProp(EditorDocument &document, MessageBoxes &boxes, ColorChooser &colours, FileDialogs &files, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("FormTableProp"));
    setWindowTitle(tr("Table Properties"));

    m_width = new SizeControl(tr("Set Width"), "CheckSetWidth", "EditWidth", "OptionWidthPct", "OptionWidthPix", this);
    m_height = new SizeControl(tr("Set Height"), "CheckSetHeight", "EditHeight", "OptionHeightPct", "OptionHeightPix",
                               this);
    m_align = named(new QComboBox, "ComboHoriz");
    m_align->addItems(horizontalAlignments());
    m_border = new NumberControl("EditBorder", 0, this);
    m_padding = new NumberControl("EditPadding", 0, this);
    m_spacing = new NumberControl("EditSpacing", 0, this);
    m_showBorder = named(new QCheckBox(tr("Always display border in edit mode")), "CheckShowBorder");
    m_background = new ColourControl(tr("Set Background Color:"), "CheckSetBkColor", "CommandBkColor",
                                     "ShapeBkColor", colours, this);
    m_borderColour = new ColourControl(tr("Set Border Color:"), "CheckSetBorderColor", "CommandBorderColor",
                                       "ShapeBorderColor", colours, this);
    m_backgroundImage = new BackgroundControl(files, this);

    auto *grid = new QGridLayout;
    m_width->addTo(grid, 0);
    m_height->addTo(grid, 1);
    auto *numbers = new QFormLayout;
    numbers->addRow(tr("&Alignment:"), m_align);
    numbers->addRow(tr("&Border:"), m_border->box());
    numbers->addRow(tr("Cell pa&dding:"), m_padding->box());
    numbers->addRow(tr("Cell &spacing:"), m_spacing->box());
    grid->addLayout(numbers, 2, 0, 1, 3);
    m_background->addTo(grid, 3);
    m_borderColour->addTo(grid, 4);
    m_backgroundImage->addTo(grid, 5);
    grid->addWidget(m_showBorder, 6, 0, 1, 3);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(buttons);

    load();
}

void FormTableProp::load()
{
    (void)SaveSelection(m_document);
    m_showBorder->setChecked(m_document.showBorders());
    m_tableHtml = m_document.enclosingElementHtml(QStringLiteral("table"));
    if (m_tableHtml.isEmpty())
        return;
    const TableProperties table = readTableProperties(m_tableHtml);
    m_width->load(table.width);
    m_height->load(table.height);
    selectListItem(m_align, table.align);
    m_border->load(table.border);
    m_padding->load(table.padding);
    m_spacing->load(table.spacing);
    m_background->load(table.background);
    m_borderColour->load(table.borderColour);
    m_backgroundImage->load(table.backgroundImage);
}

TableProperties FormTableProp::properties() const
{
    TableProperties table;
    table.width = m_width->setting();
    table.height = m_height->setting();
    table.align = m_align->currentText();
    table.border = m_border->setting();
    table.padding = m_padding->setting();
    table.spacing = m_spacing->setting();
    table.background = m_background->setting();
    table.borderColour = m_borderColour->setting();
    table.backgroundImage = m_backgroundImage->setting();
    return table;
}

void FormTableProp::accept()
{
    if (m_tableHtml.isEmpty()) {
        QDialog::accept();
        return;
    }
    const TagRewrite rewrite = writeTableProperties(m_tableHtml, properties());
    if (rewrite.invalid != TagRewrite::Invalid::None) {
        m_boxes.show(rewrite.message, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        (rewrite.invalid == TagRewrite::Invalid::Width ? m_width : m_height)->edit()->setFocus();
        return;
    }
    m_document.setShowBorders(m_showBorder->isChecked());
    if (rewrite.text != m_tableHtml) {
        const Status replaced = m_document.replaceEnclosingElement(QStringLiteral("table"), m_tableHtml, rewrite.text);
        if (!replaced) {
            m_boxes.show(tr("The table could not be changed in the document: ") + replaced.error(),
                         MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical);
            return;
        }
    }
    QDialog::accept();
}

} // namespace ferrowen

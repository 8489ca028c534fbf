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
    , m_rows(colours, files, this)
{
    setObjectName(QStringLiteral("FormTableProp"));
    setWindowTitle(tr("Table Properties"));

    m_border = new NumberControl("EditBorder", 0, this);
    m_padding = new NumberControl("EditPadding", 0, this);
    m_spacing = new NumberControl("EditSpacing", 0, this);
    m_showBorder = named(new QCheckBox(tr("Always display border in edit mode")), "CheckShowBorder");
    auto *numbers = new QFormLayout;
    numbers->addRow(tr("&Border:"), m_border->box());
    numbers->addRow(tr("Cell pa&dding:"), m_padding->box());
    numbers->addRow(tr("Cell &spacing:"), m_spacing->box());
    m_rows.layOut(nullptr, tr("&Alignment:"), numbers, m_showBorder);

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
    m_rows.load(table);
    m_border->load(table.border);
    m_padding->load(table.padding);
    m_spacing->load(table.spacing);
}

TableProperties FormTableProp::properties() const
{
    TableProperties table;
    m_rows.store(table);
    table.border = m_border->setting();
    table.padding = m_padding->setting();
    table.spacing = m_spacing->setting();
    return table;
}

void FormTableProp::accept()
{
    if (m_tableHtml.isEmpty()) {
        QDialog::accept();
        return;
    }
    const TagRewrite rewrite = writeTableProperties(m_tableHtml, properties());
    if (m_rows.refusedSize(rewrite, m_boxes))
        return;
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

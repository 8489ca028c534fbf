#include "editor/ui/FormCellProp.h"

#include "editor/TableCells.h"
#include "editor/ui/ListChoice.h"
#include "editor/ui/TableControls.h"
#include "platform/EditorDocument.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

// The caption of the cell dialog's own messages.
const QString messageTitle = QStringLiteral("Halvanor HTML Edition");

} // namespace

FormCellProp::FormCellProp(EditorDocument &document, MessageBoxes &boxes, ColorChooser &colours, FileDialogs &files, CellScope scope,
                           QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_boxes(boxes)
    , m_rows(colours, files, this)
{
    setObjectName(QStringLiteral("FormCellProp"));

    m_cellOption = named(new QRadioButton(scopeControls(CellScope::Cell).caption), "OptionCell");
    m_rowOption = named(new QRadioButton(scopeControls(CellScope::Row).caption), "OptionRow");
    m_columnOption = named(new QRadioButton(scopeControls(CellScope::Column).caption), "OptionColumn");
    auto *scopes = new QButtonGroup(this);
    auto *scopeRow = new QHBoxLayout;
    for (auto [option, each] : {std::pair{m_cellOption, CellScope::Cell}, std::pair{m_rowOption, CellScope::Row},
                                std::pair{m_columnOption, CellScope::Column}}) {
        scopes->addButton(option);
        scopeRow->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, each = each] { setScope(each); });
    }

    m_verticalAlign = named(new QComboBox, "ComboVert");
    m_verticalAlign->addItems(verticalAlignments());
    m_noWrap = named(new QCheckBox(tr("No text wrapping")), "CheckNoWrap");
    m_rowSpan = new NumberControl("EditRowSpan", 0, this);
    m_columnSpan = new NumberControl("EditColSpan", 0, this);
    auto *fields = new QFormLayout;
    fields->addRow(tr("&Vertical alignment:"), m_verticalAlign);
    fields->addRow(tr("&Rows spanned:"), m_rowSpan->box());
    fields->addRow(tr("&Columns spanned:"), m_columnSpan->box());
    fields->addRow(QString(), m_noWrap);
    m_rows.layOut(scopeRow, tr("&Horizontal alignment:"), fields, nullptr);

    load();
    setScope(scope);
}

void FormCellProp::load()
{
    m_caret = SaveSelection(m_document);
    m_snapshot = GetSelection(m_document);
    const int tag = cellTagAt(m_snapshot.documentText, m_snapshot.markerPosition);
    if (tag == 0)
        return;
    m_loaded = readCellProperties(m_snapshot.documentText, tag);
    m_rows.load(m_loaded);
    selectListItem(m_verticalAlign, m_loaded.verticalAlign);
    m_noWrap->setChecked(m_loaded.noWrap);
    m_rowSpan->load(m_loaded.rowSpan);
    m_columnSpan->load(m_loaded.columnSpan);
}

void FormCellProp::setScope(CellScope scope)
{
    m_scope = scope;
    const ScopeControls controls = scopeControls(scope);
    setWindowTitle(controls.caption);
    (scope == CellScope::Row ? m_rowOption : scope == CellScope::Column ? m_columnOption : m_cellOption)->setChecked(true);
    m_rows.width->setAvailable(controls.width);
    m_rows.height->setAvailable(controls.height);
    m_rowSpan->setAvailable(controls.rowSpan);
    m_columnSpan->setAvailable(controls.columnSpan);
}

CellProperties FormCellProp::properties() const
{
    CellProperties cell;
    m_rows.store(cell);
    cell.verticalAlign = m_verticalAlign->currentText();
    cell.noWrap = m_noWrap->isChecked();
    cell.rowSpan = m_rowSpan->setting();
    cell.columnSpan = m_columnSpan->setting();
    return cell;
}

void FormCellProp::accept()
{
    const QList<int> tags = cellTagsInScope(m_snapshot.documentText, m_snapshot.markerPosition, m_scope);
    if (tags.isEmpty()) {
        QDialog::accept();
        return;
    }
    const TagRewrite rewrite = writeCellProperties(m_snapshot.documentText, tags, m_loaded, properties(), m_scope);
    if (m_rows.refusedSize(rewrite, m_boxes, messageTitle))
        return;
    if (rewrite.text != m_snapshot.documentText) {
        const QUrl base = m_document.BaseURL();
        m_document.setDocumentHTML(rewrite.text);
        if (m_document.BaseURL() != base)
            m_document.setBaseURL(base);
        m_document.select({m_caret, m_caret});
    }
    QDialog::accept();
}

} // namespace ferrowen

#include "addressbook/ui/AddressCellEditor.h"

#include "addressbook/CellEditRule.h"
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace ferrowen {

AddressCellEditor::AddressCellEditor(AddressGrid &grid, QObject *parent)
    : QObject(parent)
    , m_grid(grid)
    , m_textEdit(new QLineEdit)
    , m_labelEdit(new QLabel)
{
    m_textEdit->setObjectName(QStringLiteral("TextEdit"));
    m_labelEdit->setObjectName(QStringLiteral("LabelEdit"));
    m_labelEdit->setBuddy(m_textEdit);
    m_textEdit->setAccessibleName(tr("Cell text"));
    m_textEdit->installEventFilter(this);

    connect(m_grid.selectionModel(), &QItemSelectionModel::currentChanged, this, &AddressCellEditor::enterCell);
    connect(&m_grid, &AddressGrid::clicked, this, &AddressCellEditor::editCurrentCell);
    connect(&m_grid, &AddressGrid::focusRegained, this, [this] {
        if (m_grid.Row() > 0)
            m_grid.setHighlightedCell(m_grid.Row(), m_grid.Col());
    });
    connect(m_textEdit, &QLineEdit::textEdited, this, &AddressCellEditor::writeEditedText);
}

void AddressCellEditor::editCurrentCell()
{
    if (m_grid.Row() == 0)
        return;
    showCurrentCell();
    m_grid.setHighlightedCell(m_grid.Row(), m_grid.Col());
    m_textEdit->setFocus(Qt::OtherFocusReason);
}

void AddressCellEditor::showCurrentCell()
{
    m_shownText = m_grid.Row() > 0 ? m_grid.TextMatrix(m_grid.Row(), m_grid.Col()) : QString();
    m_textEdit->setText(m_shownText);
}

void AddressCellEditor::clear()
{
    m_shownText.clear();
    m_textEdit->clear();
    m_labelEdit->clear();
}

void AddressCellEditor::enterCell(const QModelIndex &current, const QModelIndex &previous)
{
    if (previous.isValid() && m_grid.isHighlighted(previous))
        m_grid.clearHighlight();
    if (!current.isValid())
        return;
    showCurrentCell();
    // The names are kept without the sort marker.
    m_labelEdit->setText(m_grid.TextMatrix(0, current.column()) + QLatin1String(" :"));
    m_grid.setHighlightedCell(current.row() + 1, current.column());
    if (!m_finding) {
        m_textEdit->setFocus(Qt::OtherFocusReason);
        m_textEdit->end(false);
    }
}

void AddressCellEditor::writeEditedText(const QString &edited)
{
    if (m_grid.Row() == 0)
        return;
    const QString text = cellTextAfterEdit(m_shownText, edited);
    if (text != edited) {
        const int caret = m_textEdit->cursorPosition();
        m_textEdit->setText(text);
        m_textEdit->setCursorPosition(std::min(caret, int(text.size())));
    }
    m_shownText = text;
    m_grid.addressModel().setCell(m_grid.Row() - 1, m_grid.Col(), text);
}

bool AddressCellEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_textEdit && event->type() == QEvent::KeyPress)
        return handleKey(*static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

bool AddressCellEditor::handleKey(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool backTab = key.key() == Qt::Key_Backtab
        || (key.key() == Qt::Key_Tab && modifiers == Qt::ShiftModifier);
    if (backTab) {
        moveBackOneColumn();
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false; // Shift+arrow selects text, Ctrl+arrow jumps words
    switch (key.key()) {
    case Qt::Key_Right:
    case Qt::Key_Tab:
        m_grid.setFocus(Qt::OtherFocusReason);
        m_grid.moveSideways(1);
        return true;
    case Qt::Key_Left:
        m_grid.setFocus(Qt::OtherFocusReason);
        m_grid.moveSideways(-1);
        return true;
    case Qt::Key_Up:
        moveVertically(-1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveVertically(1);
        return true;
    default:
        return false;
    }
}

void AddressCellEditor::moveBackOneColumn()
{
    m_grid.setFocus(Qt::OtherFocusReason);
    if (m_grid.Col() <= 0)
        return;
    const int column = m_grid.Col() - 1;
    m_grid.setCurrentCell(m_grid.Row(), column);
    editCurrentCell();
    if (column < m_grid.firstVisibleColumn())
        m_grid.ensureCellVisible(m_grid.Row(), column);
}

void AddressCellEditor::moveVertically(int step)
{
    const int row = m_grid.Row();
    if (row == 0)
        return;
    if (step < 0) {
        if (row == 1)
            return;
        m_grid.setCurrentCell(row - 1, m_grid.Col());
        editCurrentCell();
        m_grid.ensureCellVisible(row - 1, m_grid.Col());
        return;
    }
    if (row == m_grid.Rows() - 1) {
        Q_EMIT lastRowPassed();
        return;
    }
    m_grid.setCurrentCell(row + 1, m_grid.Col());
    editCurrentCell();
    if (!m_grid.isCellVisible(row + 1, m_grid.Col()))
        m_grid.makeFirstVisibleRow(row + 1);
}

} // namespace ferrowen


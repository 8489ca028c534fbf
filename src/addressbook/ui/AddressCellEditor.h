#pragma once

#include <QObject>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QModelIndex;

namespace ferrowen {

class AddressGrid;

// Editing the grid's cells through the text box TextEdit, with LabelEdit
// naming the current column: the cell being edited is yellow, every change
// of the box goes into the cell at once, and the arrow, TAB and Enter keys
// move from cell to cell.
class AddressCellEditor : public QObject
{
    Q_OBJECT

public:
    explicit AddressCellEditor(AddressGrid &grid, QObject *parent = nullptr);

    QLineEdit *textEdit() const { return m_textEdit; }   // TextEdit
    QLabel *labelEdit() const { return m_labelEdit; }    // LabelEdit

    // A click on the current cell: the box takes its text, the cell turns
    // yellow, the focus goes into the box.
    void editCurrentCell();
    // The current cell's text changed under the box (sorting, removal):
    // the box shows what the cell now holds, so typing never writes one
    // address's text over another's.
    void showCurrentCell();
    // Another book: the box and its label are emptied.
    void clear();

    // Set while the find dialog searches: entering a cell then leaves the
    // focus in the dialog.
    void setFinding(bool finding) { m_finding = finding; }
    bool isFinding() const { return m_finding; }

Q_SIGNALS:
    // Down arrow or Enter on the last row: a new row is wanted.
    void lastRowPassed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enterCell(const QModelIndex &current, const QModelIndex &previous);
    void writeEditedText(const QString &edited);
    bool handleKey(const QKeyEvent &key);
    void moveBackOneColumn();
    void moveVertically(int step);

    AddressGrid &m_grid;
    QLineEdit *m_textEdit;
    QLabel *m_labelEdit;
    QString m_shownText; // the box's text before the user's latest change
    bool m_finding = false;
};

} // namespace ferrowen

#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace ferrowen {

// "Find Address": a modeless dialog that searches one column of the grid
// as the user types (Text1), the column chosen in Combo1.
class DialogFind : public QDialog
{
    Q_OBJECT

public:
    explicit DialogFind(QWidget *parent = nullptr);

    // Lists the columns by name and selects `column`, or the first one when
    // there is no such column; gives the column selected.
    int listColumns(const QStringList &names, int column);

    QLineEdit *searchText() const { return m_text1; }
    QComboBox *columns() const { return m_combo1; }

Q_SIGNALS:
    void searchTextChanged(const QString &text);
    void columnChosen(int column);

private:
    QLineEdit *m_text1;
    QComboBox *m_combo1;
};

} // namespace ferrowen

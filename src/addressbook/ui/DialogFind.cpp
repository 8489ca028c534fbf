#include "addressbook/ui/DialogFind.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace ferrowen {

DialogFind::DialogFind(QWidget *parent)
    : QDialog(parent)
    , m_text1(new QLineEdit)
    , m_combo1(new QComboBox)
{
    setObjectName(QStringLiteral("DialogFind"));
    setWindowTitle(tr("Find Address"));
    setModal(false);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setAccessibleName(tr("Column"));

    auto *form = new QFormLayout(this);
    form->addRow(tr("Find:"), m_text1);
    form->addRow(m_combo1);

    connect(m_text1, &QLineEdit::textChanged, this, &DialogFind::searchTextChanged);
    connect(m_combo1, &QComboBox::activated, this, [this](int index) {
        Q_EMIT columnChosen(index);
        m_text1->setFocus(Qt::OtherFocusReason);
    });
}

int DialogFind::listColumns(const QStringList &names, int column)
{
    m_combo1->clear();
    m_combo1->addItems(names);
    if (column < 0 || column >= names.size())
        column = 0;
    m_combo1->setCurrentIndex(column);
    return column;
}

} // namespace ferrowen

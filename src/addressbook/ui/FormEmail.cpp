#include "addressbook/ui/FormEmail.h"

#include <QComboBox>
#include <QStringListModel>
#include <QVBoxLayout>

namespace ferrowen {

FormEmail::FormEmail(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_combo1(new QComboBox)
    , m_addresses(new QStringListModel(this))
{
    setObjectName(QStringLiteral("FormEmail"));
    setWindowTitle(tr("Email Addresses"));
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setAccessibleName(tr("Email Addresses"));
    // A list model, and no measuring of every entry for the box's width:
    // a book of 100,000 addresses fills it at once.
    m_combo1->setModel(m_addresses);
    m_combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo1->setMinimumContentsLength(28);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(m_combo1);

    connect(m_combo1, &QComboBox::activated, this, &FormEmail::addressChosen);
}

void FormEmail::setAddresses(const QStringList &addresses)
{
    m_addresses->setStringList(addresses);
}

std::optional<QString> FormEmail::chosenAddress() const
{
    if (m_combo1->currentIndex() < 0)
        return std::nullopt;
    return m_combo1->currentText();
}

} // namespace ferrowen

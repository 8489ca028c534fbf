#include "addressbook/ui/DialogNewAddrBook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

DialogNewAddrBook::DialogNewAddrBook(Create create, QWidget *parent)
    : QDialog(parent)
    , m_create(std::move(create))
    , m_text1(new QLineEdit)
    , m_okButton(new QPushButton(tr("OK")))
{
    setObjectName(QStringLiteral("DialogNewAddrBook"));
    setWindowTitle(tr("New Address Book"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    m_okButton->setEnabled(false);
    auto *cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *label = new QLabel(tr("Address Book Name:"));
    label->setBuddy(m_text1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(cancel);
    auto *column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addWidget(m_text1);
    column->addLayout(buttons);

    connect(m_text1, &QLineEdit::textChanged, this, [this](const QString &text) { m_okButton->setEnabled(!text.isEmpty()); });
    connect(m_okButton, &QPushButton::clicked, this, [this] {
        if (m_create(m_text1->text()))
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace ferrowen

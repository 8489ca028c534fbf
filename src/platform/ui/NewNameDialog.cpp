#include "platform/ui/NewNameDialog.h"

#include "platform/ui/NamedWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

NewNameDialog::NewNameDialog(const Captions &captions, Create create, QWidget *parent)
    : QDialog(parent)
    , m_create(std::move(create))
{
    setObjectName(QLatin1String(captions.objectName));
    setWindowTitle(captions.title);
    setModal(true);

    m_text1 = named(new QLineEdit, "Text1");
    auto *label = new QLabel(captions.label);
    if (captions.labelObjectName)
        label->setObjectName(QLatin1String(captions.labelObjectName));
    label->setBuddy(m_text1);
    m_ok = named(new QPushButton(tr("OK")), "OKButton");
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    auto *cancel = named(new QPushButton(tr("Cancel")), "CancelButton");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addWidget(m_text1);
    column->addLayout(buttons);

    connect(m_text1, &QLineEdit::textChanged, this, [this](const QString &text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (m_create(m_text1->text()))
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString NewNameDialog::typedName() const
{
    return m_text1->text();
}

} // namespace ferrowen

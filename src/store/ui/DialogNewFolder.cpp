#include "store/ui/DialogNewFolder.h"

#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"
#include "store/FolderName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

DialogNewFolder::DialogNewFolder(const QString &storePath, MessageBoxes &messageBoxes, QWidget *parent)
    : QDialog(parent)
    , m_storePath(storePath)
    , m_messageBoxes(messageBoxes)
{
    setObjectName(QStringLiteral("DialogNewFolder"));
    setWindowTitle(tr("New Folder"));
    setModal(true);

    m_text1 = named(new QLineEdit, "Text1");
    auto *label = named(new QLabel(tr("Folder Name:")), "Label1");
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
    connect(m_ok, &QPushButton::clicked, this, &DialogNewFolder::createFolder);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString DialogNewFolder::folderName() const
{
    return m_text1->text();
}

void DialogNewFolder::createFolder()
{
    if (!createSavedMessageFolder(m_storePath, m_text1->text())) {
        m_messageBoxes.show(
            tr("Unable to create directory. Please check to make sure you have entered a valid directory name."));
        return;
    }
    accept();
}

} // namespace ferrowen

#include "app/InboxFramesBand.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QGroupBox *compactFrame(const QString &title, const char *objectName)
{
    auto *frame = named(new QGroupBox(title), objectName);
    frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return frame;
}

QHBoxLayout *frameRow(QWidget *frame)
{
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(8, 2, 8, 6);
    row->setSpacing(6);
    return row;
}

} // namespace

InboxFramesBand::InboxFramesBand(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("InboxFramesBand"));

    // Shown only while the address pane is hidden.
    m_showAddress = named(new QPushButton(QStringLiteral("> > > > > > > > > > > > > > > > ")), "CommandShowAddress");
    m_showAddress->setToolTip(tr("Show Address Book Panel"));
    m_palette = named(new QPushButton(tr("Show Email Address Palette")), "CommandTo");
    auto *paneButtons = new QVBoxLayout;
    paneButtons->setSpacing(2);
    paneButtons->addStretch(1);
    paneButtons->addWidget(m_showAddress);
    paneButtons->addWidget(m_palette);
    paneButtons->addStretch(1);

    auto *band = new QHBoxLayout(this);
    band->setContentsMargins(6, 2, 6, 2);
    band->setSpacing(8);
    band->addLayout(paneButtons);
    band->addWidget(buildSaveFrame());
    band->addWidget(buildInboxFrame());
    band->addWidget(buildComposeFrame());
    band->addStretch(1);
}

QWidget *InboxFramesBand::buildSaveFrame()
{
    auto *frame = compactFrame(tr("Save Messages Locally"), "FrameSaveMessages");
    auto *row = frameRow(frame);

    m_folders = named(new QComboBox, "ComboFolders");
    m_folders->addItems({QStringLiteral("Saved"), QStringLiteral("sent")});
    m_folders->setCurrentIndex(0);
    m_folders->setMinimumContentsLength(10);
    auto *label = named(new QLabel(tr("Folder:")), "LabelFolder");
    label->setBuddy(m_folders);

    m_getBody = named(new QPushButton(tr("&Save Msg <<")), "GetBody");
    m_saveSent = named(new QCheckBox(tr("S&ave Sent Messages")), "CheckSaveSent");
    m_saveSent->setChecked(false);

    m_labelSaved = named(new QLabel(tr("Message Saved")), "LabelSaved");
    QFont bold = m_labelSaved->font();
    bold.setBold(true);
    m_labelSaved->setFont(bold);
    m_labelSaved->setStyleSheet(QStringLiteral("color: #1f7a3a;"));
    m_labelSaved->hide();

    row->addWidget(label);
    row->addWidget(m_folders);
    row->addWidget(m_getBody);
    row->addWidget(m_saveSent);
    row->addWidget(m_labelSaved);
    return frame;
}

QWidget *InboxFramesBand::buildInboxFrame()
{
    auto *frame = compactFrame(tr("Inbox Management"), "FrameInboxManagement");
    auto *row = frameRow(frame);
    m_command2 = named(new QPushButton(tr("Check S&pam")), "Command2");
    m_command1 = named(new QPushButton(tr("Check &Unread")), "Command1");
    row->addWidget(m_command2);
    row->addWidget(m_command1);
    return frame;
}

QWidget *InboxFramesBand::buildComposeFrame()
{
    auto *frame = compactFrame(tr("Compose"), "FrameCompose");
    auto *row = frameRow(frame);
    m_command4 = named(new QPushButton(tr("Use &Template >>")), "Command4");
    row->addWidget(m_command4);
    return frame;
}

} // namespace ferrowen

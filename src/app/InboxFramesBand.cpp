#include "app/InboxFramesBand.h"

#include "platform/ui/FlowLayout.h"
#include "platform/ui/NamedWidget.h"
#include "platform/ui/ToolButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
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
    row->setContentsMargins(6, 2, 6, 6);
    row->setSpacing(4);
    return row;
}

} // namespace

InboxFramesBand::InboxFramesBand(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("InboxFramesBand"));

    // Shown only while the address pane is hidden; with both hidden the
    // column takes no room in the band.
    m_showAddress = named(new QPushButton(QStringLiteral("> > > > > > > > > > > > > > > > ")), "CommandShowAddress");
    m_showAddress->setToolTip(tr("Show Address Book Panel"));
    m_palette = named(new QPushButton(tr("Show Email Address Palette")), "CommandTo");
    auto *paneButtons = named(new QWidget, "AddressPaneButtons");
    auto *paneColumn = new QVBoxLayout(paneButtons);
    paneColumn->setContentsMargins(0, 0, 0, 0);
    paneColumn->setSpacing(2);
    paneColumn->addWidget(m_showAddress);
    paneColumn->addWidget(m_palette);

    // The frames wrap onto a second row on a narrow window rather than
    // making the window wider than the user placed it.
    auto *band = new FlowLayout(this, 6, 2);
    band->setContentsMargins(4, 2, 4, 2);
    band->addWidget(paneButtons);
    band->addWidget(buildSaveFrame());
    band->addWidget(buildInboxFrame());
    band->addWidget(buildComposeFrame());
}

QWidget *InboxFramesBand::buildSaveFrame()
{
    auto *frame = compactFrame(tr("Save Messages Locally"), "FrameSaveMessages");
    m_saveFrame = frame;
    auto *row = frameRow(frame);

    m_folders = named(new QComboBox, "ComboFolders");
    m_folders->setAccessibleName(tr("Folder"));
    m_folders->addItems({QStringLiteral("Saved"), QStringLiteral("sent")});
    m_folders->setCurrentIndex(0);
    m_folders->setMinimumContentsLength(8);
    auto *label = named(new QLabel(tr("Folder:")), "LabelFolder");
    label->setBuddy(m_folders);
    m_command6 = named(new QPushButton, "Command6");
    m_command6->setIcon(toolIcon(u"new"));
    m_command6->setToolTip(tr("New Folder"));
    m_command6->setAccessibleName(m_command6->toolTip());

    m_getBody = named(new QPushButton(tr("&Save Msg <<")), "GetBody");
    m_saveSent = named(new QCheckBox(tr("S&ave Sent Messages")), "CheckSaveSent");
    m_saveSent->setChecked(false);

    // The label sits in the frame's title line, outside the row: showing it
    // must not widen the frame, or the band would wrap and every pane below
    // would jump down while it shows.
    m_labelSaved = named(new QLabel(tr("Message Saved"), frame), "LabelSaved");
    QFont bold = m_labelSaved->font();
    bold.setBold(true);
    m_labelSaved->setFont(bold);
    m_labelSaved->setStyleSheet(QStringLiteral("color: #1f7a3a;"));
    m_labelSaved->hide();
    frame->installEventFilter(this);

    row->addWidget(label);
    row->addWidget(m_folders);
    row->addWidget(m_command6);
    row->addWidget(m_getBody);
    row->addWidget(m_saveSent);
    return frame;
}

bool InboxFramesBand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_saveFrame && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        placeSavedLabel();
    return QWidget::eventFilter(watched, event);
}

void InboxFramesBand::placeSavedLabel()
{
    const QSize size = m_labelSaved->sizeHint();
    m_labelSaved->setGeometry(m_saveFrame->width() - size.width() - 8, 0, size.width(), size.height());
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
    // The templates saved; "Saved" heads the list and names none.
    m_comboTemplate = named(new QComboBox, "ComboTemplate");
    m_comboTemplate->addItem(QStringLiteral("Saved"));
    m_comboTemplate->setCurrentIndex(0);
    m_comboTemplate->setMinimumContentsLength(6);
    m_comboTemplate->setAccessibleName(tr("Email template"));
    m_commandTemplate = named(new QPushButton(tr("&New/Edit...")), "CommandTemplate");
    row->addWidget(m_command4);
    row->addWidget(m_comboTemplate);
    m_command5 = named(new QPushButton(tr("&Mail Merge...")), "Command5");
    row->addWidget(m_commandTemplate);
    row->addWidget(m_command5);
    return frame;
}

} // namespace ferrowen

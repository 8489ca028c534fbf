#include "store/ui/SavedFoldersPane.h"

#include "platform/ui/FlowLayout.h"
#include "store/ui/StoreHost.h"

#include <QFrame>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

QFrame *panel(const char *objectName)
{
    auto *frame = new QFrame;
    frame->setObjectName(QLatin1String(objectName));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

SavedFoldersPane::SavedFoldersPane(StoreHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    m_parts.list = new QTreeWidget;
    m_parts.list->setObjectName(QStringLiteral("ListMsg"));
    m_parts.list->setRootIsDecorated(false);
    m_parts.list->setUniformRowHeights(true);
    m_parts.list->setAlternatingRowColors(true);
    m_parts.list->setHeaderLabels({tr("From"), tr("Subject"), tr("To"), tr("Date"), QString(), QString()});
    // The file name and the date sort key travel with each row unseen.
    m_parts.list->setColumnHidden(4, true);
    m_parts.list->setColumnHidden(5, true);

    m_parts.folders = panel("Picture2");
    new QVBoxLayout(m_parts.folders);
    m_parts.folders->layout()->setContentsMargins(6, 6, 6, 6);

    buildButtons();
}

void SavedFoldersPane::buildButtons()
{
    m_parts.buttons = panel("Picture3");
    // Wraps onto a second row when the pane is narrow.
    auto *row = new FlowLayout(m_parts.buttons);
    row->setContentsMargins(6, 2, 6, 2);
    const struct
    {
        const char *name;
        QString caption;
        SavedMessageAction action;
    } buttons[] = {
        {"CommandReplyText", tr("&Reply (with original text)"), SavedMessageAction::ReplyWithText},
        {"CommandReplyNoText", tr("Reply (&blank)"), SavedMessageAction::ReplyBlank},
        {"CommandForward", tr("For&ward"), SavedMessageAction::Forward},
        {"CommandSendAgain", tr("Send &Again"), SavedMessageAction::SendAgain},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(b.caption);
        button->setObjectName(QLatin1String(b.name));
        const SavedMessageAction action = b.action;
        connect(button, &QPushButton::clicked, this, [this, action] { m_host.runSavedMessageAction(action); });
        row->addWidget(button);
    }
}

void SavedFoldersPane::previewLoaded(const QString &location, bool previewShown)
{
    if (previewShown && !location.toLower().contains(QLatin1String("blankmsg.htm")))
        m_parts.list->setFocus();
}

} // namespace ferrowen

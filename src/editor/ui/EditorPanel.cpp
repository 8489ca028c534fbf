#include "editor/ui/EditorPanel.h"

#include <QFrame>
#include <QTimer>
#include <QVBoxLayout>

namespace ferrowen {

EditorPanel::EditorPanel(QObject *parent)
    : QObject(parent)
{
    m_parts.panel = new QFrame;
    m_parts.panel->setObjectName(QStringLiteral("PictureBlog"));
    m_parts.panel->setFrameShape(QFrame::StyledPanel);
    m_parts.panel->setAutoFillBackground(true);

    m_parts.editor = new QWidget(m_parts.panel);
    m_parts.editor->setObjectName(QStringLiteral("DHTMLEdit1"));
    auto *fill = new QVBoxLayout(m_parts.editor);
    fill->setContentsMargins(0, 0, 0, 0);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    m_timer1->setSingleShot(true);
}

} // namespace ferrowen

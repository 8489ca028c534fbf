#include "app/HelpWindow.h"

#include "settings/ProgramTitle.h"
#include "platform/web/BrowserPane.h"

#include <QAction>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWidget>

namespace ferrowen {

HelpWindow::HelpWindow(QWidget *owner)
    : m_owner(owner)
{
}

Status HelpWindow::showTopic(const QString &helpFile, HelpTopic topic)
{
    return showPage(helpTopicPath(helpFile, topic));
}

Status HelpWindow::showContents(const QString &helpFile)
{
    return showPage(helpContentsPath(helpFile));
}

Status HelpWindow::showPage(const QString &page)
{
    if (!QFileInfo(page).isFile())
        return Status::failure(QStringLiteral("the help page %1 is missing").arg(page));
    if (!m_window) {
        m_window = new QWidget(m_owner, Qt::Window);
        m_window->setObjectName(QStringLiteral("proc1"));
        // Closing hides it: a window deleted on close could be reused by a
        // topic asked for before the deletion ran.
        m_window->setWindowTitle(ProgramTitle.toString() + QStringLiteral(" Help"));
        m_window->resize(720, 640);
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        m_view = new BrowserPane(m_window);
        m_view->setObjectName(QStringLiteral("HelpView"));
        layout->addWidget(m_view);
        // A window to glance at: the keys that close such windows close it.
        auto *close = new QAction(m_window);
        close->setObjectName(QStringLiteral("HelpClose"));
        close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
        close->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(close, &QAction::triggered, m_window, &QWidget::close);
        m_window->addAction(close);
    }
    m_view->navigate(QFileInfo(page).absoluteFilePath());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return Status::success();
}

QWidget *HelpWindow::window() const
{
    return m_window;
}

} // namespace ferrowen

#include "app/MainFormComposeHost.h"

#include "app/LatestValueWriter.h"
#include "app/MainForm.h"
#include "platform/web/BrowserPane.h"

#include <QEventLoop>
#include <QTimer>

namespace ferrowen {

namespace {
// How long one round of "let pending events run" lasts while the compose
// filling waits for the page: short enough to feel instant, long enough
// not to spin the processor.
constexpr int EventRoundMs = 40;
}

MainFormComposeHost::MainFormComposeHost(MainForm &form, LatestValueWriter &trace)
    : m_form(&form)
    , m_trace(trace)
{
}

BrowserPane &MainFormComposeHost::pane(Pane pane) const
{
    if (!m_form)
        throw WebPageError(QStringLiteral("the main window is gone"));
    switch (pane) {
    case Pane::Inbox: return *m_form->webBrowser(1);
    case Pane::Preview: return *m_form->webBrowser(2);
    case Pane::Compose: return *m_form->webBrowser(3);
    case Pane::Calendar: return *m_form->webBrowser(4);
    }
    return *m_form->webBrowser(1);
}

int MainFormComposeHost::selectedTab() const
{
    return m_form ? m_form->selectedTab() : 0;
}

void MainFormComposeHost::selectTab(int index)
{
    if (m_form)
        m_form->selectTab(index);
}

WebPage &MainFormComposeHost::page(Pane which)
{
    return pane(which).document();
}

QString MainFormComposeHost::location(Pane which)
{
    return pane(which).locationUrl();
}

void MainFormComposeHost::navigate(Pane which, const QString &address)
{
    pane(which).navigate(address);
}

void MainFormComposeHost::repaint(Pane which)
{
    BrowserPane &p = pane(which);
    if (p.isVisible()) {
        p.hide();
        p.show();
    } else {
        p.update();
    }
}

bool MainFormComposeHost::isShown(Pane which) const
{
    return pane(which).isVisible();
}

void MainFormComposeHost::showWaitPanel()
{
    if (m_form)
        m_form->showWaitPanel();
}

void MainFormComposeHost::hideWaitPanel()
{
    if (m_form)
        m_form->hideWaitPanel();
}

bool MainFormComposeHost::takeWaitCancelled()
{
    if (!m_form)
        return true;
    const bool cancelled = m_form->WaitCancelled;
    m_form->WaitCancelled = false;
    return cancelled;
}

bool MainFormComposeHost::letPendingEventsRun()
{
    if (m_closing || !m_form)
        return false;
    QEventLoop loop;
    QTimer::singleShot(EventRoundMs, &loop, &QEventLoop::quit);
    loop.exec();
    return !m_closing && m_form;
}

void MainFormComposeHost::writeTrace(const QString &code)
{
    m_trace.write(code);
}

} // namespace ferrowen

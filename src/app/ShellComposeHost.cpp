#include "app/ShellComposeHost.h"

#include "app/InboxFramesBand.h"
#include "app/MainForm.h"
#include "app/ShellState.h"
#include "app/LatestValueWriter.h"
#include "platform/web/BrowserPane.h"
#include "webmail/AddressSource.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace ferrowen {

namespace {
// The longest a wait sleeps between looks when no pane event wakes it.
constexpr int FallbackPollMs = 5;
// How long after a page has loaded its own scripts may still build its
// form.
constexpr qint64 FormGraceMs = 1500;
// How long a wait lasts before "Please wait..." shows.
constexpr int WaitPanelDelayMs = 300;

int paneIndex(Pane pane)
{
    return static_cast<int>(pane);
}

// Before an address book is attached there is nothing to insert.
class NoAddresses : public AddressSource
{
public:
    std::optional<QStringList> selectedAddresses() override { return std::nullopt; }
    std::optional<QString> paletteAddress() override { return std::nullopt; }
};

} // namespace

ShellComposeHost::ShellComposeHost(MainForm &form, ShellState &state, LatestValueWriter &trace,
                                   MessageBoxes &messageBoxes)
    : m_form(&form)
    , m_state(state)
    , m_trace(trace)
    , m_messageBoxes(messageBoxes)
{
    for (Pane which : {Pane::Inbox, Pane::Preview, Pane::Compose, Pane::Calendar}) {
        BrowserPane *browser = &pane(which);
        QObject::connect(browser, &BrowserPane::documentComplete, &m_connections, [this, which] {
            m_loaded[paneIndex(which)].start();
            wakeWait();
        });
        QObject::connect(browser, &BrowserPane::navigateComplete, &m_connections, [this] { wakeWait(); });
    }
    QObject::connect(&form, &MainForm::waitCancelled, &m_connections, [this] { wakeWait(); });
    m_waitPanelDelay.setSingleShot(true);
    m_waitPanelDelay.setInterval(WaitPanelDelayMs);
    m_waitPanelDelay.callOnTimeout([this] {
        if (m_form)
            m_form->showWaitPanel();
    });
}

void ShellComposeHost::markClosing()
{
    m_closing = true;
    wakeWait();
}

void ShellComposeHost::wakeWait()
{
    if (m_wait)
        m_wait->quit();
}

AddressSource &ShellComposeHost::addresses()
{
    static NoAddresses none;
    return m_addresses ? *m_addresses : none;
}

BrowserPane &ShellComposeHost::pane(Pane pane) const
{
    if (!m_form)
        throw WebPageError(QStringLiteral("the main window is gone"));
    return m_form->browser(pane);
}

Tab ShellComposeHost::selectedTab() const
{
    // Once the window is gone no tab offers a pane: as if "Settings" showed.
    return m_form ? m_form->selectedTab() : Tab::Settings;
}

void ShellComposeHost::selectTab(Tab tab)
{
    if (m_form)
        m_form->selectTab(tab);
}

WebPage &ShellComposeHost::page(Pane which)
{
    return pane(which).document();
}

QString ShellComposeHost::location(Pane which)
{
    return pane(which).locationUrl();
}

void ShellComposeHost::navigate(Pane which, const QString &address)
{
    pane(which).navigate(address);
}

void ShellComposeHost::showPaneText(Pane which, const QString &text)
{
    pane(which).showText(text);
}

void ShellComposeHost::repaint(Pane which)
{
    // The engine draws what the page changed; hiding and showing the pane
    // would only make it start its drawing over.
    pane(which).update();
}

bool ShellComposeHost::isShown(Pane which) const
{
    return pane(which).isVisible();
}

bool ShellComposeHost::isLoading(Pane which)
{
    return pane(which).isBusy();
}

quint64 ShellComposeHost::loadedDocument(Pane which)
{
    return pane(which).loadedDocument();
}

bool ShellComposeHost::pageMayStillChange(Pane which)
{
    const QElapsedTimer &loaded = m_loaded[paneIndex(which)];
    return pane(which).isBusy() || (loaded.isValid() && loaded.elapsed() < FormGraceMs);
}

bool ShellComposeHost::previewShowsChosenMessage()
{
    return pane(Pane::Preview).showsRequestedPage();
}

void ShellComposeHost::showWaitingNotice(const QString &text)
{
    if (m_form)
        m_form->showWaitingNotice(text);
}

void ShellComposeHost::mailLinkDone(const QString &link)
{
    if (m_mailLinkDone)
        m_mailLinkDone(link);
}

void ShellComposeHost::showWaitPanel()
{
    if (!m_waitPanelDelay.isActive() && m_form && !m_form->isWaitPanelShown())
        m_waitPanelDelay.start();
}

void ShellComposeHost::hideWaitPanel()
{
    m_waitPanelDelay.stop();
    if (m_form)
        m_form->hideWaitPanel();
}

bool ShellComposeHost::takeWaitCancelled()
{
    if (!m_form)
        return true;
    return std::exchange(m_state.WaitCancelled, false);
}

bool ShellComposeHost::letPendingEventsRun()
{
    if (m_closing || !m_form)
        return false;
    // Woken by a pane that loads or moves, or by Cancel; a page that
    // builds its form by script is looked at again soon after.
    QEventLoop loop;
    const QPointer<QEventLoop> outer = std::exchange(m_wait, &loop);
    QTimer::singleShot(FallbackPollMs, &loop, &QEventLoop::quit);
    loop.exec();
    m_wait = outer;
    return !m_closing && m_form;
}

void ShellComposeHost::writeTrace(const QString &code)
{
    m_trace.write(code);
}

bool ShellComposeHost::mergeInProgress() const
{
    return m_state.MergeInProgress;
}

bool ShellComposeHost::saveSentCopies() const
{
    return m_form && m_form->band().saveSentCheck()->isChecked();
}

ComposeState &ShellComposeHost::state()
{
    return m_state.compose;
}

} // namespace ferrowen

#pragma once

#include "webmail/ComposeHost.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <functional>

class QEventLoop;

namespace ferrowen {

class BrowserPane;
class LatestValueWriter;
class MainForm;
struct ShellState;

// The main window and the shell's shared state as the webmail automation
// sees them.
class ShellComposeHost : public ComposeHost
{
public:
    // The trace goes through `trace`, which never makes the window wait.
    ShellComposeHost(MainForm &form, ShellState &state, LatestValueWriter &trace, MessageBoxes &messageBoxes);

    // The address book the insertions take their addresses from (none
    // until it is set).
    void setAddressSource(AddressSource &addresses) { m_addresses = &addresses; }

    // Makes every later wait end at once: the window is going away.
    void markClosing();

    // Told when a handed-over mail link has been filled in or discarded.
    void onMailLinkDone(std::function<void(const QString &link)> done) { m_mailLinkDone = std::move(done); }

    Tab selectedTab() const override;
    void selectTab(Tab tab) override;
    WebPage &page(Pane pane) override;
    QString location(Pane pane) override;
    void navigate(Pane pane, const QString &address) override;
    void showPaneText(Pane pane, const QString &text) override;
    void repaint(Pane pane) override;
    bool isShown(Pane pane) const override;
    bool isLoading(Pane pane) override;
    quint64 loadedDocument(Pane pane) override;
    bool pageMayStillChange(Pane pane) override;
    bool previewShowsChosenMessage() override;
    void showWaitPanel() override;
    void hideWaitPanel() override;
    bool takeWaitCancelled() override;
    void showWaitingNotice(const QString &text) override;
    void mailLinkDone(const QString &link) override;
    bool letPendingEventsRun() override;
    void writeTrace(const QString &code) override;
    bool mergeInProgress() const override;
    bool saveSentCopies() const override;
    ComposeState &state() override;
    AddressSource &addresses() override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }

private:
    BrowserPane &pane(Pane pane) const;
    void wakeWait();

    QPointer<MainForm> m_form;
    ShellState &m_state;
    LatestValueWriter &m_trace;
    AddressSource *m_addresses = nullptr;
    MessageBoxes &m_messageBoxes;
    bool m_closing = false;
    std::function<void(const QString &)> m_mailLinkDone;
    // When each pane last finished loading a page (not started: never).
    QElapsedTimer m_loaded[4];
    // The wait that runs now, woken by the panes' events.
    QPointer<QEventLoop> m_wait;
    // "Please wait..." shows only for a wait that lasts: the usual page
    // load is over before it could be read.
    QTimer m_waitPanelDelay;
    // Ends the connections to the window's signals with this object.
    QObject m_connections;
};

} // namespace ferrowen

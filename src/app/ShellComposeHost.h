#pragma once

#include "webmail/ComposeHost.h"

#include <QPointer>

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
    void markClosing() { m_closing = true; }

    int selectedTab() const override;
    void selectTab(int index) override;
    WebPage &page(Pane pane) override;
    QString location(Pane pane) override;
    void navigate(Pane pane, const QString &address) override;
    void repaint(Pane pane) override;
    bool isShown(Pane pane) const override;
    void showWaitPanel() override;
    void hideWaitPanel() override;
    bool takeWaitCancelled() override;
    bool letPendingEventsRun() override;
    void writeTrace(const QString &code) override;
    bool mergeInProgress() const override;
    bool saveSentCopies() const override;
    ComposeState &state() override;
    AddressSource &addresses() override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }

private:
    BrowserPane &pane(Pane pane) const;

    QPointer<MainForm> m_form;
    ShellState &m_state;
    LatestValueWriter &m_trace;
    AddressSource *m_addresses = nullptr;
    MessageBoxes &m_messageBoxes;
    bool m_closing = false;
};

} // namespace ferrowen

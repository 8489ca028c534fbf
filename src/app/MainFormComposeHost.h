#pragma once

#include "webmail/ComposeHost.h"

#include <QPointer>

namespace ferrowen {

class BrowserPane;
class LatestValueWriter;
class MainForm;

// The main window as the compose automation sees it.
class MainFormComposeHost : public ComposeHost
{
public:
    // The trace goes through `trace`, which never makes the window wait.
    MainFormComposeHost(MainForm &form, LatestValueWriter &trace);

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
    WebmailFields &fields() override { return m_fields; }

private:
    BrowserPane &pane(Pane pane) const;

    QPointer<MainForm> m_form;
    LatestValueWriter &m_trace;
    WebmailFields m_fields;
    bool m_closing = false;
};

} // namespace ferrowen

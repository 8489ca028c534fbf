#pragma once

#include "webmail/ComposeHost.h"

#include <QPointer>

namespace ferrowen {

class BrowserPane;
class MainForm;
class SettingsFile;

// The main window as the compose automation sees it.
class MainFormComposeHost : public ComposeHost
{
public:
    MainFormComposeHost(MainForm &form, SettingsFile &settings);

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
    SettingsFile &m_settings;
    WebmailFields m_fields;
    bool m_closing = false;
};

} // namespace ferrowen

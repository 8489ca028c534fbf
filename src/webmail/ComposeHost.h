#pragma once

#include "platform/WebPage.h"

#include <QString>

namespace ferrowen {

// The browser panes by the role they play.
enum class Pane {
    Inbox,    // WebBrowser1, tab "Inbox/Login"
    Preview,  // WebBrowser2, saved-message preview
    Compose,  // WebBrowser3, tab "Compose"
    Calendar, // WebBrowser4
};

// Main-window fields the automation reads and writes between handlers.
struct WebmailFields
{
    QString providerKey;
    bool keepComposeOnce = false;
    QString mailtoText;
    QString TemplateSubject;
    QString TemplateBody;
};

// What the compose automation needs from the main window: tabs, panes, the
// wait panel and a way to let the window breathe while it waits.
class ComposeHost
{
public:
    virtual ~ComposeHost() = default;

    // Tabs of the main tab strip, counted from 1.
    virtual int selectedTab() const = 0;
    // Selects a tab and runs its activation at once, as a click would.
    virtual void selectTab(int index) = 0;

    virtual WebPage &page(Pane pane) = 0;
    virtual QString location(Pane pane) = 0;
    virtual void navigate(Pane pane, const QString &address) = 0;
    // Hides the pane and shows it again so it repaints.
    virtual void repaint(Pane pane) = 0;
    virtual bool isShown(Pane pane) const = 0;

    virtual void showWaitPanel() = 0;
    virtual void hideWaitPanel() = 0;
    // Reports and resets the wait panel's Cancel.
    virtual bool takeWaitCancelled() = 0;

    // Lets pending window events run for a moment (pages go on loading,
    // buttons answer). False when the window is closing: stop at once.
    virtual bool letPendingEventsRun() = 0;

    // The progress trace kept in the settings file.
    virtual void writeTrace(const QString &code) = 0;

    virtual WebmailFields &fields() = 0;
};

} // namespace ferrowen

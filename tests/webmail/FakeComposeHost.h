#pragma once

#include "FakeWebPage.h"
#include "ScriptedMessageBoxes.h"
#include "webmail/AddressSource.h"
#include "webmail/ComposeHost.h"
#include "webmail/ComposePage.h"

#include <QStringList>

#include <functional>
#include <map>

namespace ferrowen::testing {

// An address book reduced to its selection and the palette's choice.
struct FakeAddressSource : AddressSource
{
    std::optional<QStringList> selected;
    std::optional<QString> palette;

    std::optional<QStringList> selectedAddresses() override { return selected; }
    std::optional<QString> paletteAddress() override { return palette; }
};

// A main window reduced to what the compose automation touches. Selecting
// tab 2 runs the compose page opening like the real window does.
class FakeComposeHost : public ComposeHost
{
public:
    FakeWebPage inbox, preview, compose, calendar;
    Tab tab = Tab::InboxLogin;
    QStringList trace;
    QStringList navigations;
    QList<QPair<Pane, QString>> paneTexts;
    int waitPanelShows = 0;
    bool waitPanelVisible = false;
    bool cancelRequested = false;
    bool closing = false;
    int eventRounds = 0;
    // Runs on every round of pending events: lets a test load a page late.
    std::function<void(int round)> onEvents;
    bool merging = false;
    bool savingSent = false;
    // The compose pane loads a page: from a navigation until a test says
    // the page is there.
    bool composeLoading = false;
    // The inbox pane's document (ComposeHost::loadedDocument); 0: cannot tell.
    quint64 inboxDocument = 0;
    // The inbox page has just loaded: its own scripts may still change it.
    bool inboxSettling = false;
    // Likewise the compose page's.
    bool composeSettling = false;
    bool previewReady = true;
    QString notice;
    QStringList linksDone;
    ComposeState composeState;
    FakeAddressSource addressBook;
    ScriptedMessageBoxes boxes;

    Tab selectedTab() const override { return tab; }
    void selectTab(Tab index) override
    {
        tab = index;
        if (index == Tab::Compose)
            OpenComposePage(*this);
    }
    WebPage &page(Pane pane) override { return fake(pane); }
    QString location(Pane pane) override { return fake(pane).url; }
    void navigate(Pane pane, const QString &address) override
    {
        navigations << address;
        fake(pane).url = address;
        composeLoading = composeLoading || pane == Pane::Compose;
    }
    // The page on its way has come; it holds a form when `withForm` builds one.
    void finishComposeLoad(const std::function<void(FakeWebPage &)> &withForm = {})
    {
        compose.clear();
        if (withForm)
            withForm(compose);
        composeLoading = false;
    }
    void showPaneText(Pane pane, const QString &text) override { paneTexts << qMakePair(pane, text); }
    void repaint(Pane) override {}
    bool isShown(Pane) const override { return true; }
    bool isLoading(Pane pane) override { return pane == Pane::Compose && composeLoading; }
    quint64 loadedDocument(Pane pane) override { return pane == Pane::Inbox ? inboxDocument : 0; }
    bool pageMayStillChange(Pane pane) override
    {
        return isLoading(pane) || (pane == Pane::Inbox && inboxSettling) || (pane == Pane::Compose && composeSettling);
    }
    bool previewShowsChosenMessage() override { return previewReady; }
    void showWaitingNotice(const QString &text) override { notice = text; }
    void mailLinkDone(const QString &link) override { linksDone << link; }
    void showWaitPanel() override
    {
        ++waitPanelShows;
        waitPanelVisible = true;
    }
    void hideWaitPanel() override { waitPanelVisible = false; }
    bool takeWaitCancelled() override
    {
        const bool was = cancelRequested;
        cancelRequested = false;
        return was;
    }
    bool letPendingEventsRun() override
    {
        ++eventRounds;
        if (onEvents)
            onEvents(eventRounds);
        // A wait that never ends fails its test rather than hang it.
        return !closing && eventRounds < 1000;
    }
    void writeTrace(const QString &code) override { trace << code; }
    bool mergeInProgress() const override { return merging; }
    bool saveSentCopies() const override { return savingSent; }
    ComposeState &state() override { return composeState; }
    AddressSource &addresses() override { return addressBook; }
    MessageBoxes &messageBoxes() override { return boxes; }

    FakeWebPage &fake(Pane pane)
    {
        switch (pane) {
        case Pane::Inbox: return inbox;
        case Pane::Preview: return preview;
        case Pane::Compose: return compose;
        case Pane::Calendar: return calendar;
        }
        return inbox;
    }
};

inline void addYahooComposeForm(FakeWebPage &page)
{
    for (const char *name : {".crumb", "To", "Cc", "Bcc", "Subj", "Body", "PlainMsg"})
        page.addField(QStringLiteral("Compose"), QString::fromLatin1(name));
}

inline void addHotmailComposeForm(FakeWebPage &page)
{
    for (const char *name : {"to", "cc", "bcc", "subject", "body"})
        page.addField(QStringLiteral("composeform"), QString::fromLatin1(name));
}

} // namespace ferrowen::testing

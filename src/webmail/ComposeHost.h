#pragma once

#include "webmail/ComposeState.h"
#include "webmail/WindowParts.h"

#include <QString>

namespace ferrowen {

class AddressSource;
class MessageBoxes;
class WebPage;

// What the webmail automation needs from the rest of the program: the main
// window's tabs and panes, its wait panel, a way to let the window breathe
// while it waits, the state kept between handlers, and the addresses and
// messages of other parts of the program. The shell implements it.
class ComposeHost
{
public:
    virtual ~ComposeHost() = default;

    virtual Tab selectedTab() const = 0;
    // Selects a tab and runs its activation at once, as a click would.
    virtual void selectTab(Tab tab) = 0;

    virtual WebPage &page(Pane pane) = 0;
    virtual QString location(Pane pane) = 0;
    virtual void navigate(Pane pane, const QString &address) = 0;
    // Shows a few words of the program's own in the pane instead of a page.
    virtual void showPaneText(Pane pane, const QString &text) = 0;
    // Makes the pane draw what the automation wrote.
    virtual void repaint(Pane pane) = 0;
    virtual bool isShown(Pane pane) const = 0;

    // True while the pane loads a page.
    virtual bool isLoading(Pane pane) = 0;
    // A number for the document the pane shows, new with every load and
    // every change of address; 0 while a page loads or when the pane cannot
    // tell one document from the next.
    virtual quint64 loadedDocument(Pane pane) = 0;
    // True while the pane loads a page, and for a moment after, while the
    // page's own scripts may still build its form.
    virtual bool pageMayStillChange(Pane pane) = 0;
    // True once the preview shows, loaded, the saved message chosen last.
    virtual bool previewShowsChosenMessage() = 0;

    virtual void showWaitPanel() = 0;
    virtual void hideWaitPanel() = 0;
    // Reports and resets the wait panel's Cancel.
    virtual bool takeWaitCancelled() = 0;

    // The words the window shows, with "Fill Now" and "Discard", while
    // compose fillings wait; an empty text hides them.
    virtual void showWaitingNotice(const QString &text) = 0;
    // A handed-over mail link was filled in, or the user discarded it: it
    // may leave the settings file.
    virtual void mailLinkDone(const QString &link) = 0;

    // Lets pending window events run until something a wait looks for may
    // have changed (a pane loaded a page or changed its address, Cancel was
    // pressed) or a few milliseconds have passed. False when the window is
    // closing: stop at once.
    virtual bool letPendingEventsRun() = 0;

    // The progress trace kept in the settings file.
    virtual void writeTrace(const QString &code) = 0;

    // True while a mail merge sends through the compose form.
    virtual bool mergeInProgress() const = 0;
    // True while "S&ave Sent Messages" (CheckSaveSent) is ticked.
    virtual bool saveSentCopies() const = 0;

    virtual ComposeState &state() = 0;
    virtual AddressSource &addresses() = 0;
    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen

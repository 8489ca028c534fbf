#pragma once

#include "webmail/AddressInsertion.h"

#include <QString>

#include <functional>

class QObject;

namespace ferrowen {

class FileDialogs;
class MessageBoxes;
struct ComposeState;
struct ProviderProfile;

// What the address book pane needs from the rest of the program.
class AddressBookHost
{
public:
    virtual ~AddressBookHost() = default;

    // Inserts the chosen addresses into a field of the webmail compose form
    // (the addresses chosen now, also when the insertion is put off as
    // startPageWork puts work off).
    virtual void insertIntoComposeForm(InsertField field) = 0;
    // MainDir as the settings file holds it; the books live in its
    // "addrbooks\" folder, the new-book template is its "blank.dat".
    virtual QString mainDir() const = 0;
    virtual MessageBoxes &messageBoxes() = 0;
    virtual FileDialogs &fileDialogs() = 0;

    // Runs work the user started that reaches a browser pane's page: at
    // once, or, while a page call waits for its answer, once none does (the
    // program puts it off, so the two never mix). Dropped when `context` is
    // gone by then.
    virtual void startPageWork(QObject *context, std::function<void()> work)
    {
        (void)context;
        work();
    }

    // --- The message displayed in the webmail pane, for its sender ---
    // Selects the webmail pane's tab (tab 1) when another one is shown.
    virtual void showWebmailTab() = 0;
    // The rendered text of the webmail pane's page; throws WebPageError
    // when the pane has no document.
    virtual QString webmailPageText() = 0;
    // DetectProvider: the provider of the webmail pane's page, made current.
    virtual const ProviderProfile &detectProvider() = 0;
    // The displayed message's sender ("Name <address>") as the provider's
    // page script reads it, for a provider whose profile names one; throws
    // WebPageError when the pane shows no message.
    virtual QString webmailSenderThroughScript(const ProviderProfile &profile) = 0;
    // The webmail automation's state: the version of the message page's
    // header labels, shared with the message capture.
    virtual ComposeState &webmailState() = 0;
    // Panels of the status bar, counted from 1.
    virtual void setStatusText(int panel, const QString &text) = 0;
};

} // namespace ferrowen

#pragma once

#include "webmail/AddressInsertion.h"
#include "webmail/ComposeRequest.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace ferrowen {

// What the webmail automation carries from one handler to the next. The
// shell keeps one of these for the whole run.
struct ComposeState
{
    // The provider of the inbox pane's page, as recognised last.
    QString providerKey;
    // An address the user pinned to a provider (its key) in the "Settings"
    // tab, for a site that hides its markers: every page under it is that
    // provider's. Empty: none.
    QString pinnedAddress;
    QString pinnedProvider;
    // Sites (scheme, host and port) whose pages were recognised by their
    // markers, with the provider: a page still loading is taken for its
    // site's.
    QHash<QString, QString> recognisedSites;
    // The inbox pane's document (ComposeHost::loadedDocument) whose markers
    // were recognised last, and as which provider: its markers are not
    // asked for again. 0: none.
    quint64 recognisedDocument = 0;
    QString recognisedDocumentProvider;
    // The inbox pane's document that showed no provider's markers once its
    // own scripts had run: its provider follows its address. 0: none.
    quint64 unmarkedDocument = 0;
    // The next activation of the "Compose" tab keeps the loaded compose page
    // and what a reply, forward or mail link wrote into it.
    bool keepComposeOnce = false;
    // A filling has sent the "Compose" pane to the compose page just before
    // showing the tab: its activation keeps that load (the pane tells its
    // new address only once the engine has taken the load up).
    bool composeOnItsWay = false;
    // An address insertion waits for the compose page that is loading: the
    // field and the addresses chosen when it was asked for.
    bool pendingInsert = false;
    InsertField pendingInsertField = InsertField::To;
    QStringList pendingInsertAddresses;
    // The last mail link taken from the settings file.
    QString mailtoText;
    // Counts the compose fillings started: a filling still waiting for the
    // form gives way when a later one has started meanwhile.
    int fillRequests = 0;
    // How many fillings are running now (one may run inside another's wait).
    int fillsRunning = 0;
    // A page loaded while a filling ran, and the waiting fillings could not
    // try again then: they do once no filling runs (the user may have
    // signed in meanwhile, and no other page load may come).
    bool retryMissed = false;
    // The inbox pane's address when a waiting filling last opened the
    // compose page: it opens it again only once the inbox has moved.
    QString composeOpenedForInbox;
    // Fillings that wait, the first one shown in the window: for a compose
    // page to reach (the user has not signed in), or put aside by the user.
    QList<ComposeRequest> waiting;
    // A template on its way to or from the compose form.
    QString TemplateSubject;
    QString TemplateBody;
    // The version of the message page's header labels the capture used
    // last, shared by both providers, and how many versions it tries.
    int labelVariant = 0;
    int labelVariantCount = 8;
};

} // namespace ferrowen

#pragma once

#include "webmail/ComposeRequest.h"

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
    // The next activation of the "Compose" tab keeps the loaded compose page
    // and what a reply, forward or mail link wrote into it.
    bool keepComposeOnce = false;
    // An address insertion waits for the compose page that is loading: the
    // field and the addresses chosen when it was asked for.
    bool pendingInsert = false;
    qint16 pendingInsertField = 0;
    QStringList pendingInsertAddresses;
    // The last mail link taken from the settings file.
    QString mailtoText;
    // Counts the compose fillings started: a filling still waiting for the
    // form gives way when a later one has started meanwhile.
    int fillRequests = 0;
    // How many fillings are running now (one may run inside another's wait).
    int fillsRunning = 0;
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

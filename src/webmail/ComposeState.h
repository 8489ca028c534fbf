#pragma once

#include <QString>

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
    // An address insertion waits for the compose page to finish loading.
    bool pendingInsert = false;
    qint16 pendingInsertField = 0;
    // The last mail link taken from the settings file.
    QString mailtoText;
    // Counts the compose fillings started: a filling still waiting for the
    // form gives way when a later one has started meanwhile.
    int fillRequests = 0;
    // A template on its way to or from the compose form.
    QString TemplateSubject;
    QString TemplateBody;
    // The version of the message page's header labels the capture used
    // last, shared by both providers, and how many versions it tries.
    int labelVariant = 0;
    int labelVariantCount = 8;
};

} // namespace ferrowen

#pragma once

#include <QString>

namespace ferrowen {

class WebPage;

// The names a merge fills and submits on the compose page of one provider.
struct MergeFormNames
{
    QString form;
    QString to;
    QString subject;
    QString body;
    // Added to the form's action address before the submit, so the site
    // takes the submission for a press of its send button.
    QString sendSuffix;
    // The program's page script that sends through the site's own send
    // command instead ("sendReady", "send") and reads the page's answer
    // ("sendState": "sent", "refused" with the page's words, "draft",
    // "pending"); empty: the form is submitted with sendSuffix.
    QString sendScript = QString();
    // Where a new compose page opens, for a site that gives every compose
    // page an address of its own (a page is then known by its form once
    // loaded); empty: the address the run started on.
    QString newComposeAddress = QString();
    // The page stops to ask before it sends a message without a body, a
    // question a run cannot answer: such a message is refused beforehand.
    bool bodyRequired = false;
};

// The "Compose" pane as a merge drives it.
class MergeComposePage
{
public:
    virtual ~MergeComposePage() = default;

    // Shows the "Compose" tab without reloading or emptying its page.
    virtual void selectComposeTab() = 0;
    virtual WebPage &composePage() = 0;
    virtual QString composeLocation() = 0;
    // True while the compose pane loads a page.
    virtual bool composeBusy() = 0;
    virtual void navigateCompose(const QString &address) = 0;
    // Why the page the compose pane loaded last came as an error ("HTTP
    // 403", a failed connection); empty when it loaded as a page should.
    virtual QString composeLoadError() = 0;
    // The provider's names for the compose page at this address.
    virtual MergeFormNames composeFormNames(const QString &composeAddress) = 0;
};

} // namespace ferrowen

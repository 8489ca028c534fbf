#include "webmail/AddressInsertion.h"

#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"
#include "webmail/AddressSource.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/MergeGuard.h"
#include "webmail/ProviderProfile.h"

#include <optional>

namespace ferrowen {

namespace {

const QString UnableToInsert =
    QStringLiteral("Unable to insert address. Are you sure the Compose screen is displayed in your browser?");

bool containsAddress(const QStringList &entries, const QString &address)
{
    for (const QString &entry : entries) {
        if (entry.trimmed().compare(address.trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The pane whose compose form is at hand, or nothing when the "Compose"
// tab had to be selected first and the insertion now waits for its page.
std::optional<Pane> composePaneAtHand(ComposeHost &host, qint16 code)
{
    const int tab = host.selectedTab();
    if (tab == 2)
        return Pane::Compose;
    if (tab == 1 && host.location(Pane::Inbox).toLower().contains(QLatin1String("compose")))
        return Pane::Inbox;
    // Set first: the compose page may finish loading while the tab changes.
    host.state().pendingInsert = true;
    host.state().pendingInsertField = code;
    host.selectTab(2);
    return std::nullopt;
}

std::optional<ComposeField> targetField(qint16 code)
{
    switch (static_cast<InsertField>(code)) {
    case InsertField::To:
    case InsertField::PaletteTo:
        return ComposeField::To;
    case InsertField::Cc:
        return ComposeField::Cc;
    case InsertField::Bcc:
        return ComposeField::Bcc;
    }
    return std::nullopt;
}

std::optional<QStringList> addressesFor(ComposeHost &host, qint16 code)
{
    if (static_cast<InsertField>(code) == InsertField::PaletteTo) {
        const std::optional<QString> chosen = host.addresses().paletteAddress();
        return chosen ? std::optional<QStringList>(QStringList{*chosen}) : std::nullopt;
    }
    return host.addresses().selectedAddresses();
}

bool insert(ComposeHost &host, Pane pane, qint16 code)
{
    const ProviderProfile &profile = DetectProvider(host);
    const std::optional<ComposeField> field = targetField(code);
    if (!field)
        return false;
    const std::optional<QStringList> addresses = addressesFor(host, code);
    if (!addresses || addresses->isEmpty())
        return false;
    try {
        WebElement target = host.page(pane).formField(profile.compose.form, profile.compose.field(*field));
        target.setValue(withAddedAddresses(target.value(), *addresses));
    } catch (const WebPageError &) {
        return false;
    }
    return true;
}

} // namespace

QString withAddedAddresses(const QString &field, const QStringList &addresses)
{
    QString merged = field;
    for (const QString &address : addresses) {
        if (address.trimmed().isEmpty())
            continue; // a row without an address adds nothing, not an empty entry
        if (merged.isEmpty())
            merged = address;
        else if (!containsAddress(merged.split(QLatin1Char(',')), address))
            merged += QLatin1Char(',') + address;
    }
    return merged;
}

void Web_InsertField(ComposeHost &host, qint16 code)
{
    if (refusedWhileMerging(host)) {
        host.state().pendingInsert = false;
        return;
    }
    const std::optional<Pane> pane = composePaneAtHand(host, code);
    if (!pane)
        return;
    host.state().pendingInsert = false;
    if (!insert(host, *pane, code))
        host.messageBoxes().show(UnableToInsert);
}

void ComposeDocumentComplete(ComposeHost &host)
{
    if (!host.state().pendingInsert)
        return;
    host.state().pendingInsert = false;
    // The merge's own page loads: an insertion asked for earlier is dropped.
    if (refusedWhileMerging(host))
        return;
    // Into the pane that just loaded, even if the user has left its tab.
    if (!insert(host, Pane::Compose, host.state().pendingInsertField))
        host.messageBoxes().show(UnableToInsert);
}

} // namespace ferrowen

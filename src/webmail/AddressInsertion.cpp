#include "webmail/AddressInsertion.h"

#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"
#include "webmail/AddressSource.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/MergeGuard.h"
#include "webmail/ProviderProfile.h"

#include <optional>
#include <utility>

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

std::optional<ComposeField> targetField(InsertField field)
{
    switch (field) {
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

bool insert(ComposeHost &host, Pane pane, InsertField insertField, const QStringList &addresses)
{
    const ProviderProfile &profile = DetectProvider(host);
    const std::optional<ComposeField> field = targetField(insertField);
    if (!field || addresses.isEmpty())
        return false;
    try {
        WebElement target = host.page(pane).formField(profile.compose.form, profile.compose.field(*field));
        target.setValue(withAddedAddresses(target.value(), addresses));
    } catch (const WebPageError &) {
        return false;
    }
    return true;
}

} // namespace

QString withAddedAddresses(const QString &field, const QStringList &addresses)
{
    QString merged = field;
    // Recipient widgets leave a separator after the last address
    // ("bob@example.test,"): an added one follows it without an empty entry.
    while (merged.endsWith(QLatin1Char(',')) || merged.endsWith(QLatin1Char(' ')))
        merged.chop(1);
    if (merged.trimmed().isEmpty())
        merged.clear();
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

QStringList addressesToInsert(ComposeHost &host, InsertField field)
{
    if (field == InsertField::PaletteTo) {
        const std::optional<QString> chosen = host.addresses().paletteAddress();
        return chosen ? QStringList{*chosen} : QStringList();
    }
    return host.addresses().selectedAddresses().value_or(QStringList());
}

void Web_InsertField(ComposeHost &host, InsertField field)
{
    // The rows chosen now, whenever the form can take them.
    Web_InsertField(host, field, addressesToInsert(host, field));
}

void Web_InsertField(ComposeHost &host, InsertField field, const QStringList &addresses)
{
    ComposeState &state = host.state();
    state.pendingInsert = false;
    if (refusedWhileMerging(host))
        return;
    std::optional<Pane> pane;
    if (host.selectedTab() == Tab::Compose)
        pane = Pane::Compose;
    else if (host.selectedTab() == Tab::InboxLogin && host.location(Pane::Inbox).toLower().contains(QLatin1String("compose")))
        pane = Pane::Inbox;
    if (!pane) {
        // The tab keeps a message being written, or opens the compose page.
        host.selectTab(Tab::Compose);
        if (host.isLoading(Pane::Compose)) {
            state.pendingInsert = true;
            state.pendingInsertField = field;
            state.pendingInsertAddresses = addresses;
            return;
        }
        pane = Pane::Compose;
    }
    if (!insert(host, *pane, field, addresses))
        host.messageBoxes().show(UnableToInsert);
}

void ComposeDocumentComplete(ComposeHost &host)
{
    ComposeState &state = host.state();
    if (!state.pendingInsert)
        return;
    state.pendingInsert = false;
    const QStringList addresses = std::exchange(state.pendingInsertAddresses, QStringList());
    // The merge's own page loads: an insertion asked for earlier is dropped.
    if (refusedWhileMerging(host))
        return;
    // Into the page that has just loaded, even if the user has left its tab;
    // a page without the form drops it with the message.
    if (!insert(host, Pane::Compose, state.pendingInsertField, addresses))
        host.messageBoxes().show(UnableToInsert);
}

} // namespace ferrowen

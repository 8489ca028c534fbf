#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

class ComposeHost;

// What the address insertion writes and where the addresses come from.
enum class InsertField {
    To = 0,        // the address grid's selected rows into To
    Cc = 1,        // ... into Cc
    Bcc = 2,       // ... into Bcc
    PaletteTo = 10 // the address palette's chosen entry into To
};

// Adds addresses from the address book's grid or palette to a field of the
// compose form; the addresses are those chosen when it is asked for. When
// the compose form is not at hand (another tab is shown), the "Compose" tab
// is selected: the insertion goes into the form it shows, or, when the tab
// opens a new compose page, into that page once it has loaded
// (ComposeDocumentComplete), never into a later one. A failure shows one
// message and leaves the field as it was; so does a mail merge sending
// through the form.
void Web_InsertField(ComposeHost &host, InsertField field);
// The same with the addresses chosen earlier (addressesToInsert): an
// insertion asked for while a page call waited runs once it is answered.
void Web_InsertField(ComposeHost &host, InsertField field, const QStringList &addresses);
// The addresses an insertion into `field` takes: the grid's selected rows,
// or the palette's choice; none when nothing is chosen.
QStringList addressesToInsert(ComposeHost &host, InsertField field);

// The compose pane finished loading a document: runs an insertion that
// waited for it, or drops it with the message when the page has no form.
void ComposeDocumentComplete(ComposeHost &host);

// The field's text with each address added that it does not hold yet,
// joined by ",". An address counts as present when it equals one of the
// field's comma-separated entries, ignoring case and surrounding blanks;
// a blank address is skipped.
QString withAddedAddresses(const QString &field, const QStringList &addresses);

} // namespace ferrowen

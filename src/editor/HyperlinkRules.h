#pragma once

#include <QString>
#include <QStringList>

namespace ferrowen {

// The hyperlink dialog's rules: how a link's address is shown (address
// box and bookmark), the address OK writes, the bookmarks of a document,
// the TARGET of a link tag and the text a new link covers.

// What the address box shows when it holds no address.
inline constexpr char EmptyAddressBoxText[] = "http://";

struct LinkFields
{
    QString address; // EditExtURL
    QString bookmark; // ComboBookmark
};

// An address is split at its first "#": the part before goes into the
// address box ("http://" when there is none), the part after is the
// bookmark.
LinkFields linkFields(const QString &href);

// The address OK writes: the address box, with "#" and the bookmark when
// one is chosen. A box holding only "http://" counts as empty, so a
// bookmark alone gives "#name". Empty when there is nothing to write.
QString linkAddress(const QString &addressBox, const QString &bookmark);

// The NAME of every named anchor, in document order, without duplicates.
QStringList bookmarkNames(const QString &documentHtml);

// The link tag (an element's source starting with it) with its TARGET
// set to target, or removed when target is empty.
QString linkWithTarget(const QString &linkHtml, const QString &target);

// How many characters at the end of the selected text a new link leaves
// out: a trailing blank is not linked.
int trailingBlankLength(const QString &selectedText);

} // namespace ferrowen

#pragma once

#include <QString>
#include <QUrl>

namespace ferrowen {

// The address a pane should load for what the user or the program typed:
// an address with a scheme as it is, an absolute file path or a relative
// one that exists below localBase as a file address, anything else as a
// web address. Backslashes in paths count as slashes. Returns an invalid
// QUrl for text that names no address at all (empty, or not parseable).
QUrl urlFromAddress(const QString &address, const QString &localBase);

} // namespace ferrowen

#pragma once

#include "merge/MergeJournal.h"
#include "platform/Status.h"

#include <QByteArray>

namespace ferrowen {

// What one row of a merge came to, for people: "sent (2024-05-01 10:22:03)",
// "skipped: no address", "failed: the site answered with an error page
// (HTTP 403) (...)"; "not sent" for a row the run never reached.
QString mergeStatusText(const MergeRowRecord *record, bool withTime = true);
QString mergeStatusText(const MergeAddresses &addresses, const QStringList &keys,
                        const QHash<QString, MergeRowRecord> &states, int row);

// The rows as comma-separated text for spreadsheets: UTF-8 with a byte
// order mark, every field quoted (inner quotes doubled), CR LF line ends,
// the book's columns (without its unnamed end column) and a last column
// "Merge Status".
QByteArray mergeResultsCsv(const MergeAddresses &addresses, const QStringList &keys,
                           const QHash<QString, MergeRowRecord> &states);

// Writes the results file whole or not at all.
Status writeMergeResults(const QString &path, const QByteArray &csv);

// The key under which a row without an address is recorded as skipped.
QString mergeRowWithoutAddressKey(int bookRow);

} // namespace ferrowen

#pragma once

#include "merge/MergeAddresses.h"
#include "platform/StatusOr.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ferrowen {

// The journal of one merge: a small file of JSON lines, appended while the
// run sends, that tells for every row whether its message may have gone
// out. Line 1 names the book and the message, line 2 the rows the run is
// to send (their keys), every further line is one row's new state or an
// event of the run. A line cut short by a crash is ignored when read.
//
// A row is known by its key: its address in lower case with the number of
// rows before it that have the same address, so a book sorted or edited
// between a run and its resumption still finds its rows.

enum class MergeRowState {
    Submitting, // the form is about to go (or went) to the site; no answer yet
    Sent,       // the site answered and took the message
    Skipped,    // not sent, on purpose (the reason says why)
    Failed      // not taken: the site refused, or never answered (then it may have gone)
};

struct MergeRowRecord
{
    QString key;
    int row = 0; // 1 for the book's first address row
    QString address;
    MergeRowState state = MergeRowState::Submitting;
    QString reason;
    // For Failed: the site answered (so the message surely did not go).
    bool answered = true;
    QDateTime time;

    // The submission started and no answer tells how it ended.
    bool inDoubt() const { return state == MergeRowState::Submitting || (state == MergeRowState::Failed && !answered); }
    // Nothing more is to be sent for the row.
    bool done() const { return state == MergeRowState::Sent || state == MergeRowState::Skipped; }
};

struct MergeJournalHeader
{
    QString bookPath;
    QString subject;
    QString body;
    QDateTime started;
};

// A journal as read back.
struct MergeJournalContent
{
    QString path;
    MergeJournalHeader header;
    // The keys of the rows the run was to send, in the book's order then.
    QStringList planned;
    // The latest record of each row, by key.
    QHash<QString, MergeRowRecord> latest;

    int doneCount() const;
    // Planned rows not done (in doubt ones included), in planned order.
    QStringList remaining() const;
    QList<MergeRowRecord> inDoubt() const;
};

// One key per row: "" for a row without an address.
QStringList mergeRowKeys(const MergeAddresses &addresses);
// Hex SHA-256 of subject and body, the message's identity in the journal.
QString mergeMessageHash(const QString &subject, const QString &body);

// Reads a whole journal; a file whose first line is no journal header fails.
StatusOr<MergeJournalContent> readMergeJournal(const QString &path);
// Only the first line, for choosing among many journals quickly.
StatusOr<MergeJournalHeader> readMergeJournalHeader(const QString &path);

// The newest journal in the folder for the book; its content when rows of
// it remain to be sent, else nothing (a finished newest journal supersedes
// older ones).
std::optional<MergeJournalContent> findUnfinishedMergeJournal(const QString &folder, const QString &bookPath);

// Text forms of the states, as the journal and the results file write them.
QString mergeRowStateName(MergeRowState state);

} // namespace ferrowen

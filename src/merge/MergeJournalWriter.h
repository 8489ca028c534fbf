#pragma once

#include "merge/MergeJournal.h"
#include "platform/Status.h"

#include <QFile>

namespace ferrowen {

// Appends to one merge journal. Every line is handed to the system as soon
// as it is written, so a killed program leaves it behind complete; a
// durable line is also forced to the disk before the call returns, so not
// even a power cut loses it.
class MergeJournalWriter
{
public:
    // A new journal in the folder (made if missing), named by the time.
    Status create(const QString &folder, const MergeJournalHeader &header, const QStringList &planned);
    // Goes on appending to an existing journal; a line cut short at its
    // end is closed first, so it stays one damaged line.
    Status reopen(const QString &path);

    Status record(const MergeRowRecord &record, bool durable);
    // A line that only tells the reader what happened ("resumed", "ended").
    Status event(const QString &name, const QString &detail = QString());

    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }
    void close() { m_file.close(); }

private:
    Status append(const QByteArray &line, bool durable);

    QFile m_file;
};

} // namespace ferrowen

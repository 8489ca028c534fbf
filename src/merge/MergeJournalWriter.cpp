#include "merge/MergeJournalWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

namespace ferrowen {

namespace {

QString timeText(const QDateTime &time)
{
    return time.toString(Qt::ISODateWithMs);
}

QByteArray lineOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

Status MergeJournalWriter::create(const QString &folder, const MergeJournalHeader &header, const QStringList &planned)
{
    m_file.close();
    if (!QDir().mkpath(folder))
        return Status::failure(QStringLiteral("The folder \"%1\" cannot be made.").arg(QDir::toNativeSeparators(folder)));
    const QString stem = QStringLiteral("merge-") + header.started.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QStringLiteral(".journal");
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".journal");
    m_file.setFileName(QDir(folder).filePath(name));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return Status::failure(QStringLiteral("The merge journal \"%1\" cannot be made: %2")
                                   .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
    const QJsonObject head{{QLatin1String("ferrowenMergeJournal"), 1},
                           {QLatin1String("book"), header.bookPath},
                           {QLatin1String("subject"), header.subject},
                           {QLatin1String("body"), header.body},
                           {QLatin1String("hash"), mergeMessageHash(header.subject, header.body)},
                           {QLatin1String("started"), timeText(header.started)}};
    return append(lineOf(head) + lineOf({{QLatin1String("planned"), QJsonArray::fromStringList(planned)}}), true);
}

Status MergeJournalWriter::reopen(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return Status::failure(QStringLiteral("The merge journal \"%1\" cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(path), m_file.errorString()));
    const qint64 size = m_file.size();
    if (size > 0) {
        char last = '\n';
        if (!m_file.seek(size - 1) || !m_file.getChar(&last))
            return Status::failure(QStringLiteral("The merge journal \"%1\" cannot be read: %2")
                                       .arg(QDir::toNativeSeparators(path), m_file.errorString()));
        if (last != '\n')
            return append("\n", false);
    }
    return Status::success();
}

Status MergeJournalWriter::record(const MergeRowRecord &record, bool durable)
{
    QJsonObject object{{QLatin1String("row"), record.row},
                       {QLatin1String("key"), record.key},
                       {QLatin1String("address"), record.address},
                       {QLatin1String("state"), mergeRowStateName(record.state)},
                       {QLatin1String("time"), timeText(record.time)}};
    if (!record.reason.isEmpty())
        object.insert(QLatin1String("reason"), record.reason);
    if (!record.answered)
        object.insert(QLatin1String("answered"), false);
    return append(lineOf(object), durable);
}

Status MergeJournalWriter::event(const QString &name, const QString &detail)
{
    QJsonObject object{{QLatin1String("event"), name}, {QLatin1String("time"), timeText(QDateTime::currentDateTime())}};
    if (!detail.isEmpty())
        object.insert(QLatin1String("detail"), detail);
    return append(lineOf(object), false);
}

Status MergeJournalWriter::append(const QByteArray &line, bool durable)
{
    if (!m_file.isOpen())
        return Status::failure(QStringLiteral("The merge journal is not open."));
    // Unbuffered: the bytes are with the system once write() returns.
    if (m_file.write(line) != line.size() || (durable && ::fdatasync(m_file.handle()) != 0))
        return Status::failure(QStringLiteral("The merge journal \"%1\" cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
    return Status::success();
}

} // namespace ferrowen

#include "merge/MergeResults.h"

#include <QDir>
#include <QSaveFile>

namespace ferrowen {

namespace {

QByteArray quoted(const QString &field)
{
    QString text = field;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + text.toUtf8() + '"';
}

} // namespace

QString mergeRowWithoutAddressKey(int bookRow)
{
    return QStringLiteral("#row") + QString::number(bookRow);
}

QString mergeStatusText(const MergeRowRecord *record, bool withTime)
{
    if (!record)
        return QStringLiteral("not sent");
    QString text = record->state == MergeRowState::Submitting ? QStringLiteral("unknown: submitted, no answer yet")
                                                             : mergeRowStateName(record->state);
    if (!record->reason.isEmpty() && record->state != MergeRowState::Submitting)
        text += QStringLiteral(": ") + record->reason;
    if (withTime && record->time.isValid())
        text += QStringLiteral(" (") + record->time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char(')');
    return text;
}

QString mergeStatusText(const MergeAddresses &addresses, const QStringList &keys,
                        const QHash<QString, MergeRowRecord> &states, int row)
{
    const QString key = keys.value(row);
    if (key.isEmpty()) {
        const auto found = states.constFind(mergeRowWithoutAddressKey(addresses.firstBookRow + row));
        return found != states.cend() ? mergeStatusText(&*found) : QStringLiteral("skipped: no address");
    }
    const auto found = states.constFind(key);
    return mergeStatusText(found != states.cend() ? &*found : nullptr);
}

QByteArray mergeResultsCsv(const MergeAddresses &addresses, const QStringList &keys,
                           const QHash<QString, MergeRowRecord> &states)
{
    int columns = int(addresses.columnNames.size());
    // The book's end column has no name and nothing of the user's.
    if (columns > 0 && addresses.columnNames.last().isEmpty())
        --columns;
    QByteArray csv = "\xEF\xBB\xBF";
    const auto writeLine = [&csv](const QStringList &fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                csv += ',';
            csv += quoted(fields.at(i));
        }
        csv += "\r\n";
    };
    writeLine(addresses.columnNames.mid(0, columns) << QStringLiteral("Merge Status"));
    for (int row = 0; row < addresses.rows.size(); ++row) {
        QStringList fields = addresses.rows.at(row).mid(0, columns);
        while (fields.size() < columns)
            fields << QString();
        writeLine(fields << mergeStatusText(addresses, keys, states, row));
    }
    return csv;
}

Status writeMergeResults(const QString &path, const QByteArray &csv)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        return Status::failure(QStringLiteral("The results could not be saved in \"%1\": %2")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
    return Status::success();
}

} // namespace ferrowen

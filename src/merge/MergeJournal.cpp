#include "merge/MergeJournal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ferrowen {

namespace {

const QLatin1String FormatKey{"ferrowenMergeJournal"};

std::optional<MergeRowState> stateNamed(const QString &name)
{
    for (MergeRowState state :
         {MergeRowState::Submitting, MergeRowState::Sent, MergeRowState::Skipped, MergeRowState::Failed}) {
        if (mergeRowStateName(state) == name)
            return state;
    }
    return std::nullopt;
}

std::optional<QJsonObject> objectOf(const QByteArray &line)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<MergeJournalHeader> headerOf(const QByteArray &line)
{
    const auto object = objectOf(line);
    if (!object || object->value(FormatKey).toInt() != 1)
        return std::nullopt;
    MergeJournalHeader header;
    header.bookPath = object->value(QLatin1String("book")).toString();
    header.subject = object->value(QLatin1String("subject")).toString();
    header.body = object->value(QLatin1String("body")).toString();
    header.started = QDateTime::fromString(object->value(QLatin1String("started")).toString(), Qt::ISODateWithMs);
    return header;
}

Status notAJournal(const QString &path)
{
    return Status::failure(QStringLiteral("\"%1\" is not a merge journal.").arg(QDir::toNativeSeparators(path)));
}

} // namespace

QString mergeRowStateName(MergeRowState state)
{
    switch (state) {
    case MergeRowState::Submitting: return QStringLiteral("submitting");
    case MergeRowState::Sent: return QStringLiteral("sent");
    case MergeRowState::Skipped: return QStringLiteral("skipped");
    case MergeRowState::Failed: return QStringLiteral("failed");
    }
    return {};
}

int MergeJournalContent::doneCount() const
{
    int done = 0;
    for (const QString &key : planned) {
        const auto found = latest.constFind(key);
        done += found != latest.cend() && found->done();
    }
    return done;
}

QStringList MergeJournalContent::remaining() const
{
    QStringList keys;
    for (const QString &key : planned) {
        const auto found = latest.constFind(key);
        if (found == latest.cend() || !found->done())
            keys << key;
    }
    return keys;
}

QList<MergeRowRecord> MergeJournalContent::inDoubt() const
{
    QList<MergeRowRecord> rows;
    for (const QString &key : planned) {
        const auto found = latest.constFind(key);
        if (found != latest.cend() && found->inDoubt())
            rows << *found;
    }
    return rows;
}

QStringList mergeRowKeys(const MergeAddresses &addresses)
{
    QStringList keys;
    keys.reserve(addresses.rows.size());
    QHash<QString, int> seen;
    for (int row = 0; row < addresses.rows.size(); ++row) {
        const QString address = addresses.address(row).trimmed().toLower();
        if (address.isEmpty()) {
            keys << QString();
            continue;
        }
        keys << address + QLatin1Char('#') + QString::number(seen[address]++);
    }
    return keys;
}

QString mergeMessageHash(const QString &subject, const QString &body)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(subject.toUtf8());
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(body.toUtf8());
    return QString::fromLatin1(hash.result().toHex());
}

StatusOr<MergeJournalHeader> readMergeJournalHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QStringLiteral("The merge journal \"%1\" cannot be read: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    const auto header = headerOf(file.readLine());
    if (!header)
        return notAJournal(path);
    return *header;
}

StatusOr<MergeJournalContent> readMergeJournal(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QStringLiteral("The merge journal \"%1\" cannot be read: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray all = file.readAll();
    const QList<QByteArray> lines = all.split('\n');
    const auto header = lines.isEmpty() ? std::nullopt : headerOf(lines.first());
    if (!header)
        return notAJournal(path);

    MergeJournalContent content;
    content.path = path;
    content.header = *header;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        // Only whole lines count: the last one is whole only when a line
        // end follows it.
        if (i == lines.size() - 1 && !all.endsWith('\n'))
            break;
        const auto object = objectOf(lines.at(i));
        if (!object)
            continue;
        if (object->contains(QLatin1String("planned"))) {
            content.planned.clear();
            for (const QJsonValue &key : object->value(QLatin1String("planned")).toArray())
                content.planned << key.toString();
            continue;
        }
        const auto state = stateNamed(object->value(QLatin1String("state")).toString());
        const QString key = object->value(QLatin1String("key")).toString();
        if (!state || key.isEmpty())
            continue;
        MergeRowRecord record;
        record.key = key;
        record.row = object->value(QLatin1String("row")).toInt();
        record.address = object->value(QLatin1String("address")).toString();
        record.state = *state;
        record.reason = object->value(QLatin1String("reason")).toString();
        record.answered = object->value(QLatin1String("answered")).toBool(true);
        record.time = QDateTime::fromString(object->value(QLatin1String("time")).toString(), Qt::ISODateWithMs);
        content.latest.insert(key, record);
    }
    return content;
}

std::optional<MergeJournalContent> findUnfinishedMergeJournal(const QString &folder, const QString &bookPath)
{
    if (bookPath.isEmpty())
        return std::nullopt;
    QString newest;
    QDateTime newestStart;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name)) {
        const auto header = readMergeJournalHeader(dir.filePath(name));
        if (!header || header->bookPath != bookPath)
            continue;
        if (newest.isEmpty() || header->started >= newestStart) {
            newest = dir.filePath(name);
            newestStart = header->started;
        }
    }
    if (newest.isEmpty())
        return std::nullopt;
    auto content = readMergeJournal(newest);
    if (!content || content->remaining().isEmpty())
        return std::nullopt;
    return std::move(content).value();
}

} // namespace ferrowen

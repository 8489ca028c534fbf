#pragma once

// The four kinds of user file, each written as numbered generations whose
// every byte is known, so that a file can be told whole (exactly one
// generation) or not. Shared by user_file_writer, which writes them with
// the program's own writer code, and by the test that kills it.
#include "addressbook/AddressBookFile.h"
#include "settings/SettingsFile.h"
#include "merge/TemplateFolder.h"
#include "store/FolderListing.h"
#include "store/MessageFileContent.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <optional>

namespace ferrowen::testing::generations {

// Sizes that make one write take a few milliseconds, so kills land in
// every step of it.
inline constexpr int Lines = 2000;

inline QString messageFolder(const QString &mainDir) { return mainDir + QStringLiteral("/savedmgs/Saved"); }
inline QString bookPath(const QString &mainDir) { return mainDir + QStringLiteral("/addrbooks/book.csv"); }
inline QString templatesFolder(const QString &mainDir) { return mainDir + QStringLiteral("/templates"); }
inline const QString TemplateName = QStringLiteral("greeting.txt");
inline QString settingsPath(const QString &mainDir) { return mainDir + QStringLiteral("/plinthmere.ini"); }
inline const QString SettingsSection = QStringLiteral("Generations");

inline QString lineOf(int generation, int line)
{
    return QStringLiteral("generation %1 line %2").arg(generation).arg(line);
}

inline SavedMessage messageOf(int generation)
{
    QStringList body;
    for (int line = 0; line < Lines; ++line)
        body << lineOf(generation, line);
    // The fields that make the name stay the same: each generation replaces the last.
    return {QStringLiteral("Ann <ann@example.com>"), QStringLiteral("Killed writers & whole files"),
            QStringLiteral("12/5/2026 7:50:16 PM"), QStringLiteral("bob@example.com"), {}, {},
            body.join(QStringLiteral("<br>")), false};
}

inline AddressTable bookOf(int generation)
{
    AddressTable table({QStringLiteral("First Name"), QStringLiteral("Last Name"), QStringLiteral("Email"), QString()});
    for (int line = 0; line < Lines; ++line)
        table.appendJoinedRow(lineOf(generation, line) + QStringLiteral("\tRow%1\trow%1@example.com\t").arg(line));
    return table;
}

inline TemplateText templateOf(int generation)
{
    QString body;
    for (int line = 0; line < Lines; ++line)
        body += lineOf(generation, line) + QStringLiteral("\r\n");
    return {QStringLiteral("Generation %1").arg(generation), body};
}

inline std::vector<ProfileFile::Entry> settingsOf(int generation)
{
    std::vector<ProfileFile::Entry> entries;
    for (int line = 0; line < Lines / 20; ++line)
        entries.push_back({SettingsSection, QStringLiteral("key%1").arg(line), lineOf(generation, line)});
    return entries;
}

inline Status write(const QString &kind, const QString &mainDir, int generation)
{
    if (kind == QLatin1String("message")) {
        const StatusOr<QString> written = writeSavedMessage(messageFolder(mainDir), messageOf(generation));
        return written ? Status::success() : written.status();
    }
    if (kind == QLatin1String("book"))
        return writeAddressBookFile(bookPath(mainDir), bookOf(generation));
    if (kind == QLatin1String("template"))
        return writeTemplateFile(templatesFolder(mainDir), TemplateName, templateOf(generation));
    if (kind == QLatin1String("settings"))
        return ProfileFile(settingsPath(mainDir)).writeStrings(settingsOf(generation));
    return Status::failure(QStringLiteral("no such kind: ") + kind);
}

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The generation the file holds when it holds exactly one, whole; none
// when it is missing, cut short or mixed.
inline std::optional<int> wholeGeneration(const QString &kind, const QString &mainDir)
{
    QString path;
    if (kind == QLatin1String("message")) {
        const std::vector<ListedMessage> listed = listFolderMessages(messageFolder(mainDir));
        if (listed.size() != 1)
            return std::nullopt;
        path = QDir(messageFolder(mainDir)).filePath(listed.front().fileName);
    } else if (kind == QLatin1String("book")) {
        path = bookPath(mainDir);
    } else if (kind == QLatin1String("template")) {
        path = QDir(templatesFolder(mainDir)).filePath(TemplateName);
    } else {
        path = settingsPath(mainDir);
    }
    const QByteArray bytes = bytesOf(path);
    const QRegularExpressionMatch first = QRegularExpression(QStringLiteral("generation (\\d+)")).match(QString::fromUtf8(bytes));
    if (!first.hasMatch())
        return std::nullopt;
    const int generation = first.captured(1).toInt();

    bool whole = false;
    if (kind == QLatin1String("message")) {
        whole = bytes == messageFileContent(messageOf(generation));
    } else if (kind == QLatin1String("book")) {
        const StatusOr<AddressTable> read = readAddressBookFile(path);
        whole = read && read->joinedRows() == bookOf(generation).joinedRows()
            && read->columnNames() == bookOf(generation).columnNames();
    } else if (kind == QLatin1String("template")) {
        const StatusOr<TemplateText> read = readTemplateFile(templatesFolder(mainDir), TemplateName);
        whole = read && read->subject == templateOf(generation).subject && read->body == templateOf(generation).body;
    } else {
        const ProfileFile settings(path);
        whole = true;
        for (const ProfileFile::Entry &entry : settingsOf(generation))
            whole = whole && settings.readWholeString(entry.section, entry.key, QString()) == entry.value;
    }
    return whole ? std::optional<int>(generation) : std::nullopt;
}

// What the program's lists would offer besides the one file: saved
// messages listed, templates listed, books the open dialog shows.
inline QStringList extraListed(const QString &kind, const QString &mainDir)
{
    QStringList listed;
    if (kind == QLatin1String("message")) {
        for (const ListedMessage &message : listFolderMessages(messageFolder(mainDir)))
            listed << message.fileName;
        if (!listed.isEmpty())
            listed.removeFirst();
    } else if (kind == QLatin1String("book")) {
        listed = QDir(mainDir + QStringLiteral("/addrbooks")).entryList({QStringLiteral("*.csv"), QStringLiteral("*.txt")}, QDir::Files);
        listed.removeAll(QStringLiteral("book.csv"));
    } else if (kind == QLatin1String("template")) {
        listed = templateNamesInFolder(templatesFolder(mainDir));
        listed.removeAll(TemplateName);
    }
    return listed;
}

} // namespace ferrowen::testing::generations

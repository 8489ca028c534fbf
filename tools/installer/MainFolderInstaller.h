#pragma once

#include "platform/Status.h"
#include "platform/StatusOr.h"

#include <QString>
#include <QStringList>

namespace ferrowen {

class SettingsFile;

// Lays out the program's main folder the first time, the way an installer
// would: start page, help, empty preview page, blank address book, the
// data folders, and the mail link companion. Never replaces the user's
// data; refreshes only the program's own pages and programs.
class MainFolderInstaller
{
public:
    struct Sources
    {
        QString dataDir;       // the program's own files (installed, or the project's data/)
        QString companionPath; // a "sorvik2" to copy into the main folder; none when empty
    };

    MainFolderInstaller(Sources sources, QString mainDir);

    // What it did, one line per change, or the failure.
    StatusOr<QStringList> install();

    // Writes "main dir" into the settings file unless the key is there;
    // true when it wrote it.
    static StatusOr<bool> registerMainDir(SettingsFile &settings, const QString &mainDir);

    // The desktop entry with the companion's real path filled in.
    static QString desktopEntry(const QString &templateText, const QString &mainDir);

    // What a start of the program does before its window shows. The first
    // time (no "main dir" in the settings file, not even an empty one) it
    // lays out the main folder and records it; true when it did. Later
    // starts touch nothing. After a failure nothing is recorded, so the next
    // start tries again.
    static StatusOr<bool> setUpOnFirstStart(SettingsFile &settings, const QString &dataDir, const QString &mainDir);

private:
    Status copyTree(const QString &from, const QString &to, bool refresh, QStringList &changes);

    Sources m_sources;
    QString m_mainDir;
};

} // namespace ferrowen

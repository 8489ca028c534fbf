#pragma once

#include <QLatin1String>
#include <QString>

namespace ferrowen {

class SettingsFile;

// Paths of the program's files and folders relative to MainDir, with the
// backslash as separator.
namespace AppPaths {
inline constexpr QLatin1String StartPage{"html\\index.html"};
inline constexpr QLatin1String SavedMessages{"savedmgs\\"};
inline constexpr QLatin1String AddressBooks{"addrbooks\\"};
inline constexpr QLatin1String BlankAddressBook{"blank.dat"};
inline constexpr QLatin1String BlankMessagePage{"blankmsg.htm"};
inline constexpr QLatin1String Templates{"templates\\"};
inline constexpr QLatin1String Merges{"merges\\"};
inline constexpr QLatin1String HelpFile{"kestrova.hlp"};
inline constexpr QLatin1String MainDictionary{"american.vtd"};
inline constexpr QLatin1String CompanionProgram{"sorvik2"};
} // namespace AppPaths

// The main folder and the data paths formed from it. MainDir is used as the
// settings file holds it (normally ending with a backslash) and a relative
// path is appended with no separator added, so "App" gives "Appsavedmgs\".
// Paths stay in backslash form; toFileSystemPath() turns them into a path
// for the file system.
class AppFolders
{
public:
    explicit AppFolders(QString mainDir = QString());

    // MainDir from "Locations"/"main dir"; empty when the key is missing.
    static AppFolders fromSettings(const SettingsFile &settings);

    const QString &MainDir() const { return m_mainDir; }

    // MainDir + relativePath, exactly.
    QString path(const QString &relativePath) const;

    // MainDir + "\" + "american.vtd" with every "\\" collapsed to "\", so a
    // MainDir with or without its trailing backslash gives one separator.
    QString defaultMainDictionary() const;

private:
    QString m_mainDir;
};

// The path with every backslash turned into "/", ready for the file system.
QString toFileSystemPath(const QString &path);

} // namespace ferrowen

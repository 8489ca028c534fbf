#include "platform/spell/HunspellDictionaries.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>

namespace ferrowen {

QStringList hunspellDictionaryFolders()
{
    QStringList folders;
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
    folders << dataHome + QStringLiteral("/hunspell");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString &dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << dir + QStringLiteral("/hunspell");
    folders << QStringLiteral("/usr/share/hunspell") << QStringLiteral("/usr/share/myspell/dicts")
            << QStringLiteral("/usr/share/myspell");
    folders.removeDuplicates();
    return folders;
}

QString affixFileOf(const QString &wordFile)
{
    QString affix = wordFile;
    if (affix.endsWith(QLatin1String(".dic"), Qt::CaseInsensitive))
        affix.chop(4);
    return affix + QStringLiteral(".aff");
}

QStringList hunspellDictionariesIn(const QStringList &folders)
{
    QMap<QString, QString> byName;
    for (const QString &folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable);
        for (const QFileInfo &file : files) {
            // Hyphenation patterns share the folder and the extension.
            if (byName.contains(file.completeBaseName()) || !QFileInfo::exists(affixFileOf(file.filePath())))
                continue;
            byName.insert(file.completeBaseName(), file.absoluteFilePath());
        }
    }
    return byName.values();
}

} // namespace ferrowen

#include "spell/DictionaryChoice.h"

#include <QDir>
#include <QFileInfo>

namespace ferrowen {

QString dictionaryName(const QString &wordFile)
{
    return QFileInfo(wordFile).completeBaseName();
}

QString chooseMainDictionary(const QString &setting, const QStringList &installed)
{
    const QString named = QString(setting).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!named.isEmpty() && QFileInfo(named).isFile())
        return QFileInfo(named).absoluteFilePath();
    for (const QString &dictionary : installed) {
        if (dictionaryName(dictionary) == QLatin1String("en_US"))
            return dictionary;
    }
    return installed.value(0);
}

QString chooseCustomDictionary(const QString &setting, const QString &mainFolder)
{
    if (!setting.isEmpty())
        return QString(setting).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(mainFolder.isEmpty() ? QStringLiteral(".") : mainFolder).filePath(QStringLiteral("custom.dic"));
}

} // namespace ferrowen

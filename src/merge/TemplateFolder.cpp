#include "merge/TemplateFolder.h"

#include "merge/TemplateFile.h"
#include "merge/TemplateName.h"
#include "platform/NameInFolder.h"
#include "platform/SaveFileLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ferrowen {

namespace {

Status refusedName(const QString &fileName)
{
    return Status::failure(QStringLiteral("\"%1\" cannot be the name of an email template: it may not hold "
                                          "\"/\", \"\\\" or control characters, and must be shorter than %2 bytes.")
                               .arg(fileName)
                               .arg(MaxReplaceableFileNameBytes + 1));
}

} // namespace

QStringList templateNamesInFolder(const QString &folder)
{
    QStringList names;
    QStringList leftovers;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        if (isTemplateLeftover(file))
            leftovers << file;
        else if (file.contains(QLatin1String(".txt"), Qt::CaseInsensitive))
            names << file;
    }
    removeStaleLeftovers(folder, leftovers);
    return names;
}

StatusOr<TemplateText> readTemplateFile(const QString &folder, const QString &fileName)
{
    if (!isReplaceableFileName(fileName))
        return refusedName(fileName);
    QFile file(QDir(folder).filePath(fileName));
    if (!QFileInfo(file).isFile())
        return Status::failure(
            QStringLiteral("The email template \"%1\" is no longer in the templates folder.").arg(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QStringLiteral("The email template \"%1\" could not be read: %2").arg(fileName, file.errorString()));
    return templateFromFileContent(file.readAll());
}

Status writeTemplateFile(const QString &folder, const QString &fileName, const TemplateText &text)
{
    if (!isReplaceableFileName(fileName))
        return refusedName(fileName);
    const auto failed = [&fileName](const QString &why) {
        return Status::failure(QStringLiteral("The email template \"%1\" could not be saved: %2").arg(fileName, why));
    };
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("the templates folder cannot be made."));
    QSaveFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    const QByteArray content = templateFileContent(text);
    if (file.write(content) != content.size() || !file.commit())
        return failed(file.errorString());
    return Status::success();
}

} // namespace ferrowen

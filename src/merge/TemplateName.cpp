#include "merge/TemplateName.h"

#include "platform/SaveFileLeftovers.h"

namespace ferrowen {

QString templateFileName(const QString &enteredName)
{
    if (enteredName.toLower().contains(QLatin1String(".txt")) && !isTemplateLeftover(enteredName))
        return enteredName;
    return enteredName + QStringLiteral(".txt");
}

bool isTemplateLeftover(const QString &fileName)
{
    return saveFileLeftoverTarget(fileName).contains(QLatin1String(".txt"), Qt::CaseInsensitive);
}

bool staysInTemplatesFolder(const QString &fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String("..")
        || fileName.toUtf8().size() > MaxReplaceableFileNameBytes)
        return false;
    for (const QChar c : fileName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace ferrowen

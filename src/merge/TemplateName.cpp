#include "merge/TemplateName.h"

namespace ferrowen {

QString templateFileName(const QString &enteredName)
{
    if (enteredName.toLower().contains(QLatin1String(".txt")))
        return enteredName;
    return enteredName + QStringLiteral(".txt");
}

bool staysInTemplatesFolder(const QString &fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        return false;
    for (const QChar c : fileName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace ferrowen

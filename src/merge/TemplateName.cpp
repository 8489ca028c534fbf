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

} // namespace ferrowen

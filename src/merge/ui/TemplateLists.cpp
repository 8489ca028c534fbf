#include "merge/ui/TemplateLists.h"

#include "merge/TemplateFolder.h"
#include "merge/TemplateHost.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>

namespace ferrowen {

void ListSavedTemplates(TemplateHost &host)
{
    for (const QString &name : templateNamesInFolder(host.templatesFolder()))
        host.addTemplateName(name);
}

void UseChosenTemplate(TemplateHost &host, MessageBoxes &messageBoxes)
{
    const QString chosen = host.chosenTemplateName();
    if (chosen.isEmpty()) {
        messageBoxes.show(QCoreApplication::translate(
            "TemplateLists", "Choose an email template in the list first, or make one with \"New/Edit...\"."));
        return;
    }
    StatusOr<TemplateText> text = readTemplateFile(host.templatesFolder(), chosen);
    if (!text) {
        messageBoxes.show(text.error());
        return;
    }
    host.setTemplateText(*text);
    host.insertTemplateIntoComposeForm();
}

} // namespace ferrowen

#include "merge/ui/TemplateLists.h"

#include "merge/TemplateFolder.h"
#include "merge/ui/MergeHost.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>

namespace ferrowen {

void ListSavedTemplates(MergeHost &host)
{
    for (const QString &name : templateNamesInFolder(host.templatesFolder()))
        host.addTemplateName(name);
}

void UseChosenTemplate(MergeHost &host)
{
    const QString chosen = host.chosenTemplateName();
    if (chosen.isEmpty()) {
        host.messageBoxes().show(QCoreApplication::translate(
            "TemplateLists", "Choose an email template in the list first, or make one with \"New/Edit...\"."));
        return;
    }
    StatusOr<TemplateText> text = readTemplateFile(host.templatesFolder(), chosen);
    if (!text) {
        host.messageBoxes().show(text.error());
        return;
    }
    host.setTemplateText(*text);
    host.insertTemplateIntoComposeForm();
}

} // namespace ferrowen

#pragma once

#include "merge/TemplateText.h"

#include <QString>
#include <QStringList>

namespace ferrowen {

// What the templates need from the rest of the program: the template text
// carried to and from the compose form, and the main window's template
// lists.
class TemplateHost
{
public:
    virtual ~TemplateHost() = default;

    // How a filling of the compose form (or a reading of it) ended.
    enum class FormFill {
        Done,    // written (or read) to the end
        Stopped, // the wait for the form ended first: nothing written or read
        Failed   // the page failed halfway; what was written stays
    };

    // The template carried to and from the compose form.
    virtual TemplateText templateText() const = 0;
    virtual void setTemplateText(const TemplateText &text) = 0;
    // Writes the template text into the compose form (above what the
    // site's own compose page already holds), waiting for the form.
    virtual FormFill insertTemplateIntoComposeForm() = 0;
    // Copies the compose form's subject and body into the template text,
    // waiting for the form.
    virtual FormFill captureTemplateFromComposeForm() = 0;
    // Ends the wait of the two above, as the main window's own Cancel does
    // (which a modal dialog keeps out of reach).
    virtual void cancelComposeWait() = 0;

    // The "templates" folder, as a path of the file system.
    virtual QString templatesFolder() const = 0;
    // The templates the main window's list offers (ComboTemplate after its
    // first entry, "Saved"), in its order.
    virtual QStringList templateNames() const = 0;
    // The template chosen in that list; empty when "Saved" or none is.
    virtual QString chosenTemplateName() const = 0;
    // Adds a template name to the main window's lists (ComboTemplate, and
    // ComboTemplate2 of the settings) where it is not yet.
    virtual void addTemplateName(const QString &fileName) = 0;
};

} // namespace ferrowen

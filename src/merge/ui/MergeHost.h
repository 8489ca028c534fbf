#pragma once

#include "merge/MergeRunHost.h"
#include "merge/MergeSettings.h"
#include "merge/TemplateText.h"

#include <QString>
#include <QStringList>

namespace ferrowen {

class FileDialogs;

// What the template dialog and the mail merge need from the rest of the
// program (the merge's run itself needs what MergeRunHost names).
class MergeHost : public MergeRunHost
{
public:
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

    // The e-mail address palette, a topmost window, would cover a dialog:
    // closes it and tells whether it was open.
    virtual bool closeAddressPalette() = 0;
    virtual void showAddressPalette() = 0;

    // The folder of the merges' journals ("merges" in the main folder).
    virtual QString mergesFolder() const = 0;
    // The merge's pace, as the settings file keeps it.
    virtual MergeSettings mergeSettings() const = 0;
    virtual void setMergeSettings(const MergeSettings &settings) = 0;
    virtual FileDialogs &fileDialogs() = 0;

    virtual void showMailMergeHelp() = 0;
    virtual void showTemplateHelp() = 0;
};

} // namespace ferrowen

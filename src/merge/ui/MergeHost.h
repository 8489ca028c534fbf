#pragma once

#include <QString>

namespace ferrowen {

class MessageBoxes;

// A template's subject and body on their way to or from the compose form.
struct TemplateText
{
    QString subject;
    QString body;
};

// What the template dialog and the mail merge need from the rest of the
// program.
class MergeHost
{
public:
    virtual ~MergeHost() = default;

    // The template carried to and from the compose form.
    virtual TemplateText templateText() const = 0;
    virtual void setTemplateText(const TemplateText &text) = 0;
    // Writes the template text into the compose form (above what the
    // site's own compose page already holds), waiting for the form.
    virtual void insertTemplateIntoComposeForm() = 0;
    // Copies the compose form's subject and body into the template text.
    virtual void captureTemplateFromComposeForm() = 0;

    // Set while a merge sends through the compose form: nothing else may
    // write the form, and sent copies are not kept.
    virtual bool mergeInProgress() const = 0;
    virtual void setMergeInProgress(bool inProgress) = 0;

    virtual void showMailMergeHelp() = 0;
    virtual void showTemplateHelp() = 0;
    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen

#pragma once

#include "merge/TemplateText.h"

#include <QString>

#include <optional>

namespace ferrowen {

// The boxes of the template dialog a refusal points the user to.
enum class TemplateBox { Name, Subject, Body };

struct TemplateSaveProblem
{
    TemplateBox box;
    QString message;
};

// What stops a template from being saved under the name entered: no name,
// no subject or no body (each empty once its leading spaces are gone), or
// a name whose file would leave the templates folder. Nothing when it may
// be saved.
std::optional<TemplateSaveProblem> checkTemplateBeforeSaving(const QString &enteredName, const TemplateText &text);

} // namespace ferrowen

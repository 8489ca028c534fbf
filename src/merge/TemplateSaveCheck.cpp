#include "merge/TemplateSaveCheck.h"

#include "merge/TemplateName.h"
#include "platform/NameInFolder.h"

namespace ferrowen {

namespace {

bool blank(const QString &text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

std::optional<TemplateSaveProblem> checkTemplateBeforeSaving(const QString &enteredName, const TemplateText &text)
{
    if (blank(enteredName))
        return TemplateSaveProblem{TemplateBox::Name, QStringLiteral("You must give the email template a name.")};
    if (blank(text.subject))
        return TemplateSaveProblem{TemplateBox::Subject, QStringLiteral("You must specify a subject.")};
    if (blank(text.body))
        return TemplateSaveProblem{TemplateBox::Body, QStringLiteral("You must enter some body text.")};
    if (!isReplaceableFileName(templateFileName(enteredName)))
        return TemplateSaveProblem{TemplateBox::Name,
                                   QStringLiteral("An email template name may not hold \"/\", \"\\\" or control "
                                                  "characters.")};
    return std::nullopt;
}

} // namespace ferrowen

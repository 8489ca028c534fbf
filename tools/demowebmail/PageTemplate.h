#pragma once

#include <QString>
#include <QVariantMap>

namespace ferrowen::demowebmail {

// Fills the site's HTML templates. The markup stays in resource files; this
// only puts values into it:
//   {{name}}                the value as text, HTML-escaped
//   {{{name}}}              the value as markup (only for markup the site made itself)
//   {{#name}} ... {{/name}} repeated for each map of a list value; shown once
//                           for a map (whose keys then come first), for true
//                           and for a non-empty text
//   {{^name}} ... {{/name}} shown when the value is missing, false, empty or an empty list
// Inside a repeated block the entry's keys are looked up first, then the
// enclosing values. A missing value renders as nothing.
class PageTemplate
{
public:
    static QString render(const QString &templateText, const QVariantMap &values);

    // Reads ":/demowebmail/<name>" and renders it; an unknown name is an
    // empty template.
    static QString renderResource(const QString &name, const QVariantMap &values);
    static QString resourceText(const QString &name);
};

} // namespace ferrowen::demowebmail

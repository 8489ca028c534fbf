#pragma once

#include "editor/AffiliateSettings.h"

#include <QString>
#include <QStringList>

namespace ferrowen {

// The blog posting form the editor writes its body into: a form in a frame
// inside a frame of the page in the first pane.
struct BlogPostingForm
{
    QStringList frames; // outermost first
    QString form;
    QString field;
};
const BlogPostingForm &blogPostingForm();

// The credit paragraph added at the end of a posted body: only while the
// affiliate flag is on, with both an identifier and a text, and never on
// the editor maker's own blog pages (an address containing "drovenel").
// Empty when no footer goes there. The identifier goes into the link
// address encoded, the text into the paragraph escaped.
QString affiliateFooter(const AffiliateSettings &affiliate, const QString &postingAddress);

} // namespace ferrowen

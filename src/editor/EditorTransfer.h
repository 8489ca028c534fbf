#pragma once

#include "editor/AffiliateSettings.h"
#include "platform/WebPage.h"

#include <QString>

#include <optional>

namespace ferrowen {

class EditorDocument;

// The body's inner HTML: what goes into the posting form.
QString GetBodyHtml(EditorDocument &document);

// What TransferEditorBody wrote into the posting form's field.
struct PostingTransfer
{
    bool written = false;
    QString value;     // the whole value written
    QString footer;    // the affiliate footer at its end (may be empty)
    ElementRef field;  // the field written into
};

// Copies the editor's body, with the affiliate footer, into the blog
// posting form of page (field "txaBody" of form "stuffform" in frame
// "blog_form" inside frame "inside"). A page without that form is left
// alone: nothing is written and nothing is said.
PostingTransfer TransferEditorBody(EditorDocument &document, WebPage &page, const AffiliateSettings &affiliate);

// What the user made of the body while editing the source in the posting
// field: the value now in the field written at the switch (fieldNow;
// nothing when it cannot be read), without the footer written with it.
// Nothing when the field is as written, and never an empty body over an
// editor body that is not empty: a field emptied by the page (posted,
// loaded again) is no edit of the user's.
std::optional<QString> sourceEditToTakeBack(const PostingTransfer &atSwitch, const std::optional<QString> &fieldNow,
                                            const QString &editorBody);

// The same, reading the field written at the switch. It is that field the
// user edited, not whatever field the page shows now: a form posted or
// loaded again has a new, empty one.
std::optional<QString> editedPostingBody(WebPage &page, const PostingTransfer &atSwitch, const QString &editorBody);

} // namespace ferrowen

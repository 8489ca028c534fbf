#pragma once

#include "editor/AffiliateSettings.h"

#include <QString>

#include <optional>

namespace ferrowen {

class EditorDocument;
class WebPage;

// The body's inner HTML: what goes into the posting form.
QString GetBodyHtml(EditorDocument &document);

// What TransferEditorBody wrote into the posting form's field.
struct PostingTransfer
{
    bool written = false;
    QString value;  // the whole value written
    QString footer; // the affiliate footer at its end (may be empty)
};

// Copies the editor's body, with the affiliate footer, into the blog
// posting form of page (field "txaBody" of form "stuffform" in frame
// "blog_form" inside frame "inside"). A page without that form is left
// alone: nothing is written and nothing is said.
PostingTransfer TransferEditorBody(EditorDocument &document, WebPage &page, const AffiliateSettings &affiliate);

// The posting field's value, without the footer written with it, when the
// user changed it after the transfer (by editing the source); nothing
// when it is as written or the form is not there.
std::optional<QString> editedPostingBody(WebPage &page, const PostingTransfer &last);

} // namespace ferrowen

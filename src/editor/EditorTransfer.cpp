#include "editor/EditorTransfer.h"

#include "editor/AffiliateFooter.h"
#include "platform/EditorDocument.h"
#include "platform/WebPage.h"

namespace ferrowen {

QString GetBodyHtml(EditorDocument &document)
{
    return document.bodyInnerHTML();
}

PostingTransfer TransferEditorBody(EditorDocument &document, WebPage &page, const AffiliateSettings &affiliate)
{
    const BlogPostingForm &posting = blogPostingForm();
    PostingTransfer transfer;
    try {
        const QString address = page.frameLocation(posting.frames);
        WebElement field = page.frameFormField(posting.frames, posting.form, posting.field);
        transfer.footer = affiliateFooter(affiliate, address);
        transfer.value = GetBodyHtml(document) + transfer.footer;
        field.setValue(transfer.value);
        transfer.written = true;
    } catch (const WebPageError &) {
        return {};
    }
    return transfer;
}

std::optional<QString> editedPostingBody(WebPage &page, const PostingTransfer &last)
{
    const BlogPostingForm &posting = blogPostingForm();
    QString value;
    try {
        value = page.frameFormField(posting.frames, posting.form, posting.field).value();
    } catch (const WebPageError &) {
        return std::nullopt;
    }
    // The page hands back its own line ends.
    const auto same = [](QString a, QString b) {
        return a.replace(QLatin1String("\r\n"), QLatin1String("\n")) == b.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    };
    if (last.written && same(value, last.value))
        return std::nullopt;
    if (last.written && !last.footer.isEmpty() && value.endsWith(last.footer))
        value.chop(last.footer.size());
    return value;
}

} // namespace ferrowen

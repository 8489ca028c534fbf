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
        transfer.field = field.ref();
        transfer.written = true;
    } catch (const WebPageError &) {
        return {};
    }
    return transfer;
}

std::optional<QString> sourceEditToTakeBack(const PostingTransfer &atSwitch, const std::optional<QString> &fieldNow,
                                            const QString &editorBody)
{
    if (!atSwitch.written || !fieldNow)
        return std::nullopt;
    // The page hands back its own line ends.
    const auto same = [](QString a, QString b) {
        return a.replace(QLatin1String("\r\n"), QLatin1String("\n")) == b.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    };
    QString value = *fieldNow;
    if (same(value, atSwitch.value))
        return std::nullopt;
    if (!atSwitch.footer.isEmpty() && value.endsWith(atSwitch.footer))
        value.chop(atSwitch.footer.size());
    if (value.trimmed().isEmpty() && !editorBody.trimmed().isEmpty())
        return std::nullopt;
    return value;
}

std::optional<QString> editedPostingBody(WebPage &page, const PostingTransfer &atSwitch, const QString &editorBody)
{
    if (!atSwitch.written)
        return std::nullopt;
    std::optional<QString> fieldNow;
    try {
        fieldNow = WebElement(page, atSwitch.field).value();
    } catch (const WebPageError &) {
        // The page the field was in is gone.
    }
    return sourceEditToTakeBack(atSwitch, fieldNow, editorBody);
}

} // namespace ferrowen

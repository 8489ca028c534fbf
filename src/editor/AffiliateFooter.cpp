#include "editor/AffiliateFooter.h"

#include <QUrl>

namespace ferrowen {

const BlogPostingForm &blogPostingForm()
{
    static const BlogPostingForm form{{QStringLiteral("inside"), QStringLiteral("blog_form")},
                                      QStringLiteral("stuffform"),
                                      QStringLiteral("txaBody")};
    return form;
}

QString affiliateFooter(const AffiliateSettings &affiliate, const QString &postingAddress)
{
    if (!affiliate.enabled || affiliate.id.isEmpty() || affiliate.text.isEmpty()
        || postingAddress.toLower().contains(QLatin1String("drovenel")))
        return {};
    const QString link = QStringLiteral("https://affiliates.drovenel.example/go?ref=")
                         + QString::fromLatin1(QUrl::toPercentEncoding(affiliate.id))
                         + QStringLiteral("&amp;product=editor&amp;via=blog");
    return QStringLiteral("<p><small>This Blog was created with <a href=\"") + link + QStringLiteral("\">Drovenel</a>. ")
           + affiliate.text.toHtmlEscaped() + QStringLiteral("</small></p>");
}

} // namespace ferrowen

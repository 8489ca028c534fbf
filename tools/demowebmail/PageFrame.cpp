#include "demowebmail/PageFrame.h"

#include "demowebmail/PageTemplate.h"

#include <QVariantMap>

namespace ferrowen::demowebmail {

namespace {

const QString SiteBrand = QStringLiteral("Demo Mail");

} // namespace

QString PageFrame::wrap(const QString &content) const
{
    return PageTemplate::renderResource(QStringLiteral("layout.html"),
                                        {
                                            {QStringLiteral("title"), title},
                                            {QStringLiteral("brand"), brand.isEmpty() ? SiteBrand : brand},
                                            {QStringLiteral("theme"), theme},
                                            {QStringLiteral("page"), page},
                                            {QStringLiteral("segment"), navSegment},
                                            {QStringLiteral("script"), script},
                                            {QStringLiteral("content"), content},
                                            {QStringLiteral("charset"), charset},
                                        });
}

} // namespace ferrowen::demowebmail

#include "demowebmail/CrossSiteWriteRule.h"

#include <QHttpServerRequest>
#include <QUrl>

#include <optional>

namespace ferrowen::demowebmail {

namespace {

using Method = QHttpServerRequest::Method;

const QHttpServerRequest::Methods Writes =
    Method::Post | Method::Put | Method::Delete | Method::Patch | Method::Options | Method::Connect | Method::Trace;

// The value of the first header of that name; nothing when there is none
// (an empty header is still there).
std::optional<QByteArray> headerValue(const QHttpServerRequest &request, QByteArrayView name)
{
    for (const auto &[headerName, value] : request.headers()) {
        if (headerName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

} // namespace

CrossSiteWriteRule::CrossSiteWriteRule(SitePort sitePort, RouterHandler handler)
    : QHttpServerRouterRule(QStringLiteral(".*"), Writes, std::move(handler))
    , m_sitePort(std::move(sitePort))
{
}

bool CrossSiteWriteRule::matches(const QHttpServerRequest &request, QRegularExpressionMatch *match) const
{
    return QHttpServerRouterRule::matches(request, match) && !comesFromThisSite(request);
}

bool CrossSiteWriteRule::comesFromThisSite(const QHttpServerRequest &request) const
{
    if (const auto origin = headerValue(request, "Origin"))
        return isThisSite(QUrl(QString::fromLatin1(*origin)));
    if (const auto referer = headerValue(request, "Referer"))
        return isThisSite(QUrl(QString::fromLatin1(*referer)));
    return true;
}

bool CrossSiteWriteRule::isThisSite(const QUrl &url) const
{
    return url.scheme() == QLatin1String("http")
        && (url.host() == QLatin1String("127.0.0.1") || url.host() == QLatin1String("localhost"))
        && url.port(80) == m_sitePort();
}

} // namespace ferrowen::demowebmail

#pragma once

#include <QHttpServerRouterRule>

#include <functional>

class QUrl;

namespace ferrowen::demowebmail {

// Matches every request that would change something (any method but GET and
// HEAD) sent from a page of another site, whatever its path: added before
// the site's own routes, its handler refuses them all. A request is the
// site's own when its Origin header, or its Referer where Origin is absent,
// is http://127.0.0.1:PORT or http://localhost:PORT of this site; "null"
// (a page from file: or data:, a sandboxed frame) is not. Browsers send
// Origin with every cross-origin post, so a request with neither header
// comes from a program such as curl and is let through.
class CrossSiteWriteRule : public QHttpServerRouterRule
{
public:
    // The port is asked for each request: the site may start listening
    // after its routes are set up.
    using SitePort = std::function<quint16()>;

    CrossSiteWriteRule(SitePort sitePort, RouterHandler handler);

protected:
    bool matches(const QHttpServerRequest &request, QRegularExpressionMatch *match) const override;

private:
    bool comesFromThisSite(const QHttpServerRequest &request) const;
    bool isThisSite(const QUrl &url) const;

    SitePort m_sitePort;
};

} // namespace ferrowen::demowebmail

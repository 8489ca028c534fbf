#include "platform/web/LocalRequestFilter.h"

#include <QUrl>

namespace ferrowen {

bool LocalRequestFilter::isLocal(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("file") || scheme == QLatin1String("data") || scheme == QLatin1String("blob")
        || scheme == QLatin1String("about") || scheme == QLatin1String("qrc");
}

void LocalRequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!isLocal(info.requestUrl()))
        info.block(true);
}

} // namespace ferrowen

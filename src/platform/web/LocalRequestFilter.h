#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace ferrowen {

// Lets a page load only what lies on this machine or inside the page
// itself (file, data, blob and about addresses, and the program's own
// resources); every request to the network, from the page or from a link
// followed in it, is blocked before it is made.
class LocalRequestFilter : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    static bool isLocal(const QUrl &url);
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
};

} // namespace ferrowen

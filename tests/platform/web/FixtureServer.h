#pragma once

#include "RunInPage.h"
#include "WaitFor.h"

#include <QByteArray>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QList>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>
#include <optional>
#include <utility>

namespace ferrowen::testing {

// Serves fixed pages on 127.0.0.1 and keeps the body of every POST it
// receives, so a test can compare what the browser really sent.
class FixtureServer
{
public:
    FixtureServer() { m_port = m_server.listen(QHostAddress::LocalHost, 0); }

    void page(const QString &path, const QByteArray &html,
              const QByteArray &contentType = QByteArrayLiteral("text/html; charset=utf-8"))
    {
        m_server.route(path, [this, html, contentType](const QHttpServerRequest &request) {
            if (request.method() == QHttpServerRequest::Method::Post)
                posted << request.body();
            return QHttpServerResponse(contentType, html);
        });
    }

    QUrl url(const QString &pathAndQuery) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port) + pathAndQuery);
    }

    bool listening() const { return m_port != 0; }

    QList<QByteArray> posted;

private:
    QHttpServer m_server;
    quint16 m_port = 0;
};

// Loads url into page and waits until it has finished loading. A load still
// running when this one starts (a form's answer, say) is aborted and reports
// failure first, so only a successful finish at url counts.
inline bool loadAndWait(QWebEnginePage &page, const QUrl &url)
{
    QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
    page.load(url);
    return waitFor([&] {
        for (const QList<QVariant> &arguments : std::as_const(finished)) {
            if (arguments.first().toBool() && page.url() == url)
                return true;
        }
        return false;
    }, 15000);
}

} // namespace ferrowen::testing

#include "platform/web/BrowserPane.h"

#include "platform/web/AddressInput.h"
#include "platform/web/BrowserPage.h"
#include "platform/web/EngineWebPage.h"
#include "platform/web/LocalRequestFilter.h"

#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace ferrowen {

BrowserPane::BrowserPane(QWidget *parent, QWebEngineProfile *profile)
    : QWidget(parent)
    , m_view(new QWebEngineView(this))
    , m_page(new BrowserPage(m_view, profile))
    , m_document(std::make_unique<EngineWebPage>(m_page))
{
    auto *fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(m_view);
    m_view->setPage(m_page);
    setFocusProxy(m_view);

    connect(m_page, &QWebEnginePage::linkHovered, this, &BrowserPane::statusTextChange);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) { Q_EMIT progressChange(progress, 100); });
    connect(m_page, &QWebEnginePage::urlChanged, this,
            [this](const QUrl &url) {
                ++m_documentNumber;
                Q_EMIT navigateComplete(url.toString());
            });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_busy = true; });
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            m_loadError.clear();
        else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            m_loadError = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain
                ? QStringLiteral("HTTP %1").arg(info.errorCode())
                : info.errorString();
    });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
        m_busy = false;
        ++m_documentNumber;
        // The end of a load that the request cut short does not count.
        if (m_page->url() == m_requested)
            m_requestedLoaded = true;
        Q_EMIT documentComplete(locationUrl());
    });
    connect(m_page, &BrowserPage::navigationAccepted, this, &BrowserPane::beforeNavigate);
}

BrowserPane::~BrowserPane() = default;

WebPage &BrowserPane::document()
{
    return *m_document;
}

QString BrowserPane::locationUrl() const
{
    return m_page->url().toString();
}

void BrowserPane::load(const QUrl &url)
{
    // Busy from the request on, as waits on the pane expect; the engine
    // reports the start of the load only later.
    m_busy = true;
    m_loadError.clear();
    m_requested = url;
    m_requestedLoaded = false;
    m_page->load(url);
}

void BrowserPane::navigate(const QString &address)
{
    const QUrl url = urlFromAddress(address, QDir::currentPath());
    if (url.isValid())
        load(url);
}

void BrowserPane::openLocalFile(const QString &path)
{
    if (path.isEmpty())
        return;
    const QFileInfo file(QDir::current(), QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (file.isFile())
        load(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void BrowserPane::goBack()
{
    if (!m_page->history()->canGoBack())
        return;
    m_busy = true;
    m_page->triggerAction(QWebEnginePage::Back);
}

void BrowserPane::goForward()
{
    if (!m_page->history()->canGoForward())
        return;
    m_busy = true;
    m_page->triggerAction(QWebEnginePage::Forward);
}

void BrowserPane::refresh()
{
    if (m_page->url().isEmpty())
        return;
    m_busy = true;
    m_page->triggerAction(QWebEnginePage::Reload);
}

void BrowserPane::stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

void BrowserPane::showText(const QString &text)
{
    m_busy = true;
    m_loadError.clear();
    m_requested = QUrl(QStringLiteral("about:blank"));
    m_requestedLoaded = false;
    m_page->setHtml(QStringLiteral("<!DOCTYPE html><html><body style=\"font: 14px sans-serif; margin: 2em\"><p>")
                        + text.toHtmlEscaped() + QStringLiteral("</p></body></html>"),
                    m_requested);
}

bool BrowserPane::isBusy() const
{
    return m_busy;
}

bool BrowserPane::showsRequestedPage() const
{
    return m_requestedLoaded;
}

void BrowserPane::showLocalDocumentsOnly()
{
    QWebEngineSettings *settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    m_page->stayOnLocalDocuments();
    if (!m_localOnly) {
        m_localOnly = new LocalRequestFilter(this);
        m_page->setUrlRequestInterceptor(m_localOnly);
    }
}

void BrowserPane::setDefaultTextEncoding(const QString &encoding)
{
    m_page->settings()->setDefaultTextEncoding(encoding);
}

} // namespace ferrowen

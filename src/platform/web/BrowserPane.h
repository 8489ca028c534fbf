#pragma once

#include "platform/WebPage.h"

#include <QByteArray>
#include <QUrl>
#include <QWidget>

#include <memory>

class QWebEngineProfile;
class QWebEngineView;

namespace ferrowen {

class BrowserPage;
class EngineWebPage;
class LocalRequestFilter;

// One embedded browser pane: a web view and the events and operations the
// program works with, among them the automation's synchronous view of the
// loaded document and the form data of every submission made in it. The
// engine itself stays inside: callers work through this class only.
class BrowserPane : public QWidget
{
    Q_OBJECT

public:
    explicit BrowserPane(QWidget *parent = nullptr, QWebEngineProfile *profile = nullptr);
    ~BrowserPane() override;

    // The automation's view of the document loaded now.
    WebPage &document();

    QString locationUrl() const;
    // Loads an address, an absolute file path or a path relative to the
    // current folder; text that names no address leaves the pane as it is.
    void navigate(const QString &address);
    // Loads a file of this machine; a relative path starts from the current
    // folder. A file that is not there leaves the pane as it is: a path is
    // never taken for a web address.
    void openLocalFile(const QString &path);
    // Shows a few words of the program's own instead of a page (the pane's
    // address becomes about:blank).
    void showText(const QString &text);
    void goBack();
    void goForward();
    void refresh();
    void stop();
    bool isBusy() const;
    // A number for the document shown, new with every load and every change
    // of address, so that what was learnt from a document is known to be
    // about this one; 0 while a page loads.
    quint64 loadedDocument() const { return m_busy ? 0 : m_documentNumber; }
    // Why the last page came as an error ("HTTP 403", the engine's text for
    // a failed connection); empty when it loaded as a page should, and
    // while a load is on its way.
    QString lastLoadError() const { return m_loadError; }
    // True once the pane shows, loaded, the address it was sent to last
    // (navigate, openLocalFile): not a page it showed before.
    bool showsRequestedPage() const;

    // For documents of unknown origin (saved mail): from now on the pane
    // runs none of a page's scripts and fetches nothing from the network,
    // showing only what lies on this machine. The automation still reads
    // the document by element id.
    void showLocalDocumentsOnly();
    // The encoding of documents that name none (8-bit text otherwise).
    void setDefaultTextEncoding(const QString &encoding);

Q_SIGNALS:
    void statusTextChange(const QString &text);
    // progress is between 0 and maximum; progress == maximum means done.
    void progressChange(int progress, int maximum);
    // The main frame is about to navigate (sent from the event loop right
    // after the engine accepted the navigation, which is never cancelled).
    // postData holds the URL-encoded form data of a POST form submission,
    // exactly as posted, and is empty otherwise; charset names the encoding
    // of the text behind its percent escapes ("UTF-8", "windows-1252"). A
    // form posted into a frame of the page is reported with the frame's
    // address.
    void beforeNavigate(const QUrl &url, const QByteArray &postData, const QString &charset);
    void navigateComplete(const QString &address);
    void documentComplete(const QString &address);

private:
    void load(const QUrl &url);

    QWebEngineView *m_view;
    BrowserPage *m_page;
    std::unique_ptr<EngineWebPage> m_document;
    LocalRequestFilter *m_localOnly = nullptr;
    bool m_busy = false;
    quint64 m_documentNumber = 1;
    QString m_loadError;
    QUrl m_requested;
    bool m_requestedLoaded = true;
};

} // namespace ferrowen

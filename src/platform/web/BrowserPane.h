#pragma once

#include "platform/WebPage.h"

#include <QByteArray>
#include <QUrl>
#include <QWebEngineView>

#include <memory>

class QWebEngineProfile;

namespace ferrowen {

class BrowserPage;
class EngineWebPage;

// One embedded browser pane. Adds to the engine's view the events and
// operations the program works with: the automation's synchronous view of
// the loaded document, and the form data of every submission made in it.
class BrowserPane : public QWebEngineView
{
    Q_OBJECT

public:
    explicit BrowserPane(QWidget *parent = nullptr, QWebEngineProfile *profile = nullptr);
    ~BrowserPane() override;

    // The automation's view of the document loaded now.
    WebPage &document();

    QString locationUrl() const;
    // Loads an address, an absolute file path or a path relative to the
    // local base; text that names no address leaves the pane as it is.
    void navigate(const QString &address);
    void goBack();
    void goForward();
    void refresh();
    void stop();
    bool isBusy() const;

    // The folder that relative local paths given to navigate() start from;
    // the working directory unless set.
    void setLocalBase(const QString &folder);

Q_SIGNALS:
    void statusTextChange(const QString &text);
    // progress is between 0 and maximum; progress == maximum means done.
    void progressChange(int progress, int maximum);
    // The main frame is about to navigate (sent from the event loop right
    // after the engine accepted the navigation, which is never cancelled).
    // postData holds the URL-encoded form data of a POST form submission,
    // exactly as posted, and is empty otherwise.
    void beforeNavigate(const QUrl &url, const QByteArray &postData);
    void navigateComplete(const QString &address);
    void documentComplete(const QString &address);

private:
    BrowserPage *m_page;
    std::unique_ptr<EngineWebPage> m_document;
    QString m_localBase;
    bool m_busy = false;
};

} // namespace ferrowen

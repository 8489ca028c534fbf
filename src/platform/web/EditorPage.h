#pragma once

#include "platform/web/ConsoleChannel.h"

#include <QString>
#include <QWebEnginePage>

namespace ferrowen {

// The engine page behind the editor: runs none of the document's scripts,
// follows no link, opens no window, and carries the editor's own script
// library, which reports to it through the console under a token the
// document never sees.
class EditorPage : public ConsoleChannelPage
{
    Q_OBJECT

public:
    // profile: where the page keeps what it loads; the editor's own, so
    // nothing of the browser panes' sessions reaches the edited document.
    EditorPage(QWebEngineProfile *profile, QObject *parent = nullptr);

    // The library as installed in every document of the page.
    const QString &librarySource() const { return m_library; }

Q_SIGNALS:
    // "display" (selection or content changed) or "blur" (focus left).
    void notified(const QString &what);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void channelReport(const QString &report) override { Q_EMIT notified(report); }

private:
    QString m_library;
};

} // namespace ferrowen

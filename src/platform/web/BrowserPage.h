#pragma once

#include "platform/web/ConsoleChannel.h"
#include "platform/web/SubmissionTracker.h"

#include <QByteArray>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineProfile;

namespace ferrowen {

// The engine page behind a BrowserPane. Captures the data of every form
// submission made in it, keeps new windows in the same page and reports
// every navigation of the main frame it lets happen (all of them).
class BrowserPage : public ConsoleChannelPage
{
    Q_OBJECT

public:
    explicit BrowserPage(QObject *parent = nullptr, QWebEngineProfile *profile = nullptr);

    // From now on the page stays on documents of this machine: it refuses
    // to go to any other address (a link, a refresh, a form).
    void stayOnLocalDocuments() { m_localOnly = true; }

    // While one of the program's script calls acts in the page, a dialog
    // the page opens (alert, confirm, prompt) is answered at once and
    // declined: nobody sees it, and a box nobody answers would hold the
    // call, and a mail merge with it, for ever. Outside such calls the
    // dialogs are the user's.
    class ScriptCallScope
    {
    public:
        explicit ScriptCallScope(QWebEnginePage *page);
        ~ScriptCallScope();
        ScriptCallScope(const ScriptCallScope &) = delete;
        ScriptCallScope &operator=(const ScriptCallScope &) = delete;

    private:
        QPointer<BrowserPage> m_page;
    };

Q_SIGNALS:
    // Emitted, from the event loop, for each accepted main-frame
    // navigation; postData is the URL-encoded form data of a POST form
    // submission and empty otherwise, charset the encoding of its text. A
    // form the main frame posts into one of its frames is reported too,
    // with the frame's address.
    void navigationAccepted(const QUrl &url, const QByteArray &postData, const QString &charset);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    // The capture script's reports.
    void channelReport(const QString &report) override;
    void javaScriptAlert(const QUrl &origin, const QString &text) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &text) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultValue,
                          QString *result) override;

private:
    void installSubmissionScripts();

    bool declined(const QString &text);

    SubmissionTracker m_submissions;
    bool m_localOnly = false;
    int m_scriptCalls = 0;
};

} // namespace ferrowen

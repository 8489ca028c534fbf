#include "platform/web/BrowserPage.h"

#include "platform/web/LocalRequestFilter.h"
#include "platform/web/ScriptResources.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace ferrowen {

namespace {

QWebEngineScript documentScript(const QString &name, quint32 world, const QString &source)
{
    QWebEngineScript script;
    script.setName(name);
    script.setWorldId(world);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(source);
    return script;
}

} // namespace

BrowserPage::BrowserPage(QObject *parent, QWebEngineProfile *profile)
    : ConsoleChannelPage(profile ? profile : QWebEngineProfile::defaultProfile(), parent,
                         QStringLiteral("ferrowen-form"), OtherMessages::Logged)
{
    installSubmissionScripts();
}

void BrowserPage::installSubmissionScripts()
{
    scripts().insert(documentScript(QStringLiteral("ferrowen-submit-hook"), QWebEngineScript::MainWorld,
                                    scriptResource(QStringLiteral("submit-hook.js"))));

    scripts().insert(documentScript(QStringLiteral("ferrowen-submit-capture"), QWebEngineScript::ApplicationWorld,
                                    channel().intoScript(scriptResource(QStringLiteral("submit-capture.js")))));
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (m_localOnly && !LocalRequestFilter::isLocal(url))
        return false;
    // A redirect continues a navigation that was already reported.
    if (isMainFrame && type != NavigationTypeRedirect) {
        const SubmissionTracker::Post post = m_submissions.takePost(url, type == NavigationTypeFormSubmitted);
        // Queued: listeners must be free to wait on the page, which they
        // cannot do inside the engine's navigation callback.
        QMetaObject::invokeMethod(
            this, [this, url, post] { Q_EMIT navigationAccepted(url, post.data, post.charset); },
            Qt::QueuedConnection);
    } else if (!isMainFrame) {
        // Some sites post their compose form into a hidden frame and read
        // the answer there: that post is reported like a page's own. The
        // engine does not call a frame's form navigation a submission: the
        // reported form's exact address tells it.
        const SubmissionTracker::Post post = m_submissions.takeFramePost(url);
        if (!post.data.isEmpty()) {
            QMetaObject::invokeMethod(
                this, [this, url, post] { Q_EMIT navigationAccepted(url, post.data, post.charset); },
                Qt::QueuedConnection);
        }
    }
    return true;
}

QWebEnginePage *BrowserPage::createWindow(WebWindowType)
{
    // Links and forms aimed at a new window open in this pane.
    return this;
}

BrowserPage::ScriptCallScope::ScriptCallScope(QWebEnginePage *page)
    : m_page(qobject_cast<BrowserPage *>(page))
{
    if (m_page)
        ++m_page->m_scriptCalls;
}

BrowserPage::ScriptCallScope::~ScriptCallScope()
{
    if (m_page)
        --m_page->m_scriptCalls;
}

bool BrowserPage::declined(const QString &text)
{
    if (m_scriptCalls == 0)
        return false;
    qInfo("A page dialog opened by the program's own step was declined: %s", qUtf8Printable(text));
    return true;
}

void BrowserPage::javaScriptAlert(const QUrl &origin, const QString &text)
{
    if (!declined(text))
        ConsoleChannelPage::javaScriptAlert(origin, text);
}

bool BrowserPage::javaScriptConfirm(const QUrl &origin, const QString &text)
{
    if (declined(text))
        return false;
    return ConsoleChannelPage::javaScriptConfirm(origin, text);
}

bool BrowserPage::javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultValue,
                                   QString *result)
{
    if (declined(text))
        return false;
    return ConsoleChannelPage::javaScriptPrompt(origin, text, defaultValue, result);
}

void BrowserPage::channelReport(const QString &report)
{
    // Only a page script can send a malformed report; its submission then
    // simply has no captured data.
    (void)m_submissions.report(report);
}

} // namespace ferrowen

#include "platform/web/EditorPage.h"

#include "platform/web/ScriptResources.h"

#include <QRandomGenerator>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace ferrowen {

namespace {

QString randomToken()
{
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QStringLiteral("ferrowen-editor:") + QString::fromLatin1(bytes.toHex()) + QLatin1Char(':');
}

} // namespace

EditorPage::EditorPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
    , m_channelToken(randomToken())
{
    QWebEngineSettings *options = settings();
    options->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    options->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    options->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);

    // The token holds letters, digits, dashes and colons: quoting makes it a
    // JavaScript string.
    m_library = scriptResource(QStringLiteral("editor-document.js"));
    m_library.replace(QStringLiteral("/*channel*/\"\""), QLatin1Char('"') + m_channelToken + QLatin1Char('"'));
    QWebEngineScript script;
    script.setName(QStringLiteral("ferrowen-editor-document"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(m_library);
    scripts().insert(script);
}

bool EditorPage::acceptNavigationRequest(const QUrl &, NavigationType type, bool isMainFrame)
{
    // The editor loads documents itself; a link or a form in the document
    // being edited goes nowhere.
    return isMainFrame && type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted;
}

QWebEnginePage *EditorPage::createWindow(WebWindowType)
{
    return nullptr;
}

void EditorPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int,
                                          const QString &)
{
    if (message.startsWith(m_channelToken))
        Q_EMIT notified(message.mid(m_channelToken.size()));
}

} // namespace ferrowen

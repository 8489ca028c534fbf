#include "platform/web/EditorPage.h"

#include "platform/web/ScriptResources.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace ferrowen {

EditorPage::EditorPage(QWebEngineProfile *profile, QObject *parent)
    : ConsoleChannelPage(profile, parent, QStringLiteral("ferrowen-editor"), OtherMessages::Dropped)
{
    QWebEngineSettings *options = settings();
    options->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    options->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    options->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);

    m_library = channel().intoScript(scriptResource(QStringLiteral("editor-document.js")));
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

} // namespace ferrowen

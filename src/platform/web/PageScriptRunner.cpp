#include "platform/web/PageScriptRunner.h"

#include "platform/WebPage.h"
#include "platform/web/PageCallWaits.h"
#include "platform/web/BrowserPage.h"
#include "platform/web/ScriptResources.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEngineScript>

#include <memory>

namespace ferrowen {

namespace {

// Runs a script in the automation's world and waits for its result. Only
// locals are touched after the wait: the page, and whoever owns this call,
// may be gone by then.
QVariant runAndWait(const QPointer<QWebEnginePage> &page, const QString &script,
                    std::chrono::milliseconds timeout, PageScriptRunner::Input input)
{
    if (!page)
        throw WebPageError(QStringLiteral("The browser page is closed."));

    struct Answer
    {
        bool arrived = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer, waiting](const QVariant &value) {
        answer->arrived = true;
        answer->value = value;
        if (waiting)
            waiting->quit();
    });

    if (!answer->arrived) {
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(page.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
        timer.start(timeout);
        if (input == PageScriptRunner::Input::LetThrough) {
            const PageCallWaits::Wait counted;
            loop.exec();
        } else {
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
    }

    // A page destroyed meanwhile may still have answered, with nothing.
    if (!page)
        throw WebPageError(QStringLiteral("The browser page was closed while it was being read."));
    if (!answer->arrived)
        throw WebPageError(QStringLiteral("The page did not answer in time."));
    return answer->value;
}

QString callScript(const QJsonObject &request, const QString &global)
{
    QString script = scriptResource(QStringLiteral("call.js"));
    const QString json = QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact));
    // The name is one of ours: letters only, so quoting makes it a string.
    return script.replace(QStringLiteral("/*request*/null"), json)
        .replace(QStringLiteral("/*library*/\"\""), QLatin1Char('"') + global + QLatin1Char('"'));
}

QJsonObject envelopeOf(const QVariant &answer)
{
    const QJsonDocument document = QJsonDocument::fromJson(answer.toString().toUtf8());
    if (!document.isObject())
        throw WebPageError(QStringLiteral("The page gave no answer."));
    return document.object();
}

} // namespace

PageScriptRunner::PageScriptRunner(QWebEnginePage *page, QString library, QString global, Input input)
    : m_page(page)
    , m_library(std::move(library))
    , m_global(std::move(global))
    , m_input(input)
{
}

QJsonValue PageScriptRunner::call(const QJsonObject &request)
{
    const QString script = callScript(request, m_global);
    const QPointer<QWebEnginePage> page = m_page;
    const auto timeout = m_timeout;
    const QString library = m_library;
    const Input input = m_input;
    // A box the page opens while the call acts is no one's to answer.
    const BrowserPage::ScriptCallScope acting(page);

    QJsonObject envelope = envelopeOf(runAndWait(page, script, timeout, input));
    if (envelope.value(QLatin1String("missing")).toBool()) {
        // A document that was loaded before the library's user script was
        // added, or one the engine made without running user scripts.
        runAndWait(page, library, timeout, input);
        envelope = envelopeOf(runAndWait(page, script, timeout, input));
    }
    if (!envelope.value(QLatin1String("ok")).toBool()) {
        const QString error = envelope.value(QLatin1String("error")).toString();
        throw WebPageError(error.isEmpty() ? QStringLiteral("The page access script is not available.") : error);
    }
    return envelope.value(QLatin1String("value"));
}

} // namespace ferrowen

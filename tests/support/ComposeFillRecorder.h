#pragma once

#include "app/MainController.h"
#include "app/MainForm.h"
#include "platform/web/BrowserPane.h"
#include "BrowserPaneProbe.h"

#include <QObject>
#include <QStringList>
#include <QWebEnginePage>

namespace ferrowen::testing {

// For each mail link the program hands to the compose filling, records the
// To field of the demo site's Yahoo-style compose form just after the
// filling. The look at the form is queued in the page at once,
// ahead of the next filling's changes, and answers later; it runs no event
// loop of its own, so no hand-off can start inside it.
class ComposeFillRecorder : public QObject
{
public:
    explicit ComposeFillRecorder(MainController &controller)
    {
        QObject::connect(&controller, &MainController::mailLinkHandled, this, [this, &controller] {
            BrowserPaneProbe::page(controller.window().browser(Pane::Compose))->runJavaScript(
                QStringLiteral("(function () {"
                               " const form = Array.from(document.forms).find(f => f.name.toLowerCase() === 'compose');"
                               " return form ? form.elements.To.value : '<no form>'; })()"),
                [this](const QVariant &to) { filledTo << to.toString(); });
        });
    }

    QStringList filledTo;
};

} // namespace ferrowen::testing

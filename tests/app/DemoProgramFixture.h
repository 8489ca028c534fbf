#pragma once

// The real program beside the demo webmail site, with helpers for tests
// that act as the user or the site would while the program waits.
#include "app/Shell.h"

#include <QTimer>

#include <functional>
#include <memory>

#include "BrowserPaneProbe.h"
#include "ProgramWithDemoSite.h"
#include "RunInPage.h"
#include "WaitFor.h"

namespace ferrowen::testing {

class DemoProgramFixture : public ProgramWithDemoSite
{
protected:
    // Owns the timers of actions that run inside the program's waits.
    std::unique_ptr<QObject> pending = std::make_unique<QObject>();

    void TearDown() override
    {
        pending.reset();
        ProgramWithDemoSite::TearDown();
    }

    Shell &shell() { return controller->shell(); }
    void open(const char *path) { openInbox(path); }

    // Runs a script as the page's own would.
    QVariant runInPane(Pane pane, const QString &script)
    {
        return runInPage(*BrowserPaneProbe::page(form().browser(pane)), script);
    }

    // Runs the action once the condition holds, from inside whatever runs
    // then (a wait of the program, a modal dialog). A condition that never
    // holds fails the test and ends the program's waits.
    void whenTrue(std::function<bool()> condition, std::function<void()> action, int timeoutMs = 20000)
    {
        auto *poll = new QTimer(pending.get());
        auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, deadline, condition, action] {
            if (condition()) {
                poll->stop();
                action();
            } else if (deadline->hasExpired()) {
                poll->stop();
                ADD_FAILURE() << "the awaited state never came";
                shell().markClosing();
            }
        });
        poll->start(10);
    }
};

} // namespace ferrowen::testing

#pragma once

// The real program against the demo webmail site: a main folder in a
// temporary folder, the site on a free port, message boxes answered by the
// test.
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "BrowserPaneProbe.h"
#include "RunInPage.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "WaitFor.h"

namespace ferrowen::testing {

class DemoProgramFixture : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    DemoWebmailSite site;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<MainController> controller;
    // Owns the timers of actions that run inside the program's waits.
    std::unique_ptr<QObject> pending = std::make_unique<QObject>();

    // Runs before the program starts: the main folder may be filled first.
    virtual void prepareMainFolder() {}

    void SetUp() override
    {
        ASSERT_TRUE(site.listen(0));
        ASSERT_TRUE(QDir(mainPath(QStringLiteral("savedmgs"))).mkpath(QStringLiteral("Saved")));
        ASSERT_TRUE(QDir(mainPath(QStringLiteral("savedmgs"))).mkpath(QStringLiteral("sent")));
        prepareMainFolder();
        ASSERT_TRUE(settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), mainPath(QString())));
        controller = std::make_unique<MainController>(settings, MainController::Options{false, false, &boxes, &fileDialogs});
        controller->start();
    }

    void TearDown() override
    {
        pending.reset();
        if (controller)
            controller->window().close();
    }

    Shell &shell() { return controller->shell(); }
    MainForm &form() { return controller->window(); }
    // A path in the main folder ("" for the folder itself, with its "/").
    QString mainPath(const QString &relative) const { return dir.filePath(QStringLiteral("main/")) + relative; }
    QString siteAddress(const char *path) const { return site.baseUrl().resolved(QUrl(QLatin1String(path))).toString(); }

    void load(int pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(10000)) << address.toStdString();
    }
    void open(const char *path) { load(1, siteAddress(path)); }

    template<typename W = QWidget>
    W *child(const char *name)
    {
        W *found = form().findChild<W *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char *button) { child<QPushButton>(button)->click(); }

    // A field of a form in a pane, or "<no form>".
    QString field(int pane, const char *formName, const char *fieldName)
    {
        try {
            return form().browser(pane).document().formField(QLatin1String(formName), QLatin1String(fieldName)).value();
        } catch (const WebPageError &) {
            return QStringLiteral("<no form>");
        }
    }
    // Runs a script as the page's own would.
    QVariant runInPane(int pane, const QString &script)
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

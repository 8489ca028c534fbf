#pragma once

#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"

namespace ferrowen::testing {

// The program started over a settings file of its own and a main folder
// with the "Saved" and "sent" message folders, beside the demo webmail site;
// message boxes and file dialogs are answered by the test.
class ProgramWithDemoSite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.listen(0));
        for (const char *folder : {"Saved", "sent"})
            ASSERT_TRUE(QDir(mainPath("savedmgs")).mkpath(QLatin1String(folder)));
        prepareMainFolder();
        ASSERT_TRUE(settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), mainPath("")));
        controller = std::make_unique<MainController>(settings, MainController::Options{false, false, &boxes, &fileDialogs});
        controller->start();
    }

    // The program gone at once, as if killed, and started anew over the
    // same settings file and main folder; the site goes on.
    void restartProgram()
    {
        controller.reset();
        controller = std::make_unique<MainController>(settings, MainController::Options{false, false, &boxes, &fileDialogs});
        controller->start();
    }

    // Runs before the program starts: the main folder may be filled first.
    virtual void prepareMainFolder() {}

    // A path in the main folder ("" for the folder itself, with its "/").
    QString mainPath(const QString &relative) const { return dir.filePath(QStringLiteral("main/")) + relative; }
    QString mainPath(const char *relative) const { return mainPath(QString::fromUtf8(relative)); }

    void TearDown() override
    {
        if (controller)
            controller->window().close();
    }

    MainForm &form() { return controller->window(); }

    // Loads `address` into the pane and waits until it has.
    void load(int pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(10000)) << address.toStdString();
    }
    void openInbox(const char *sitePath) { load(1, site.baseUrl().resolved(QUrl(QLatin1String(sitePath))).toString()); }

    // A field of the compose pane's form, or "<no form>".
    QString composeField(const char *field)
    {
        try {
            return form().browser(3).document().formField(QStringLiteral("compose"), QLatin1String(field)).value();
        } catch (const WebPageError &) {
            return QStringLiteral("<no form>");
        }
    }

    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    DemoWebmailSite site;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<MainController> controller;
};

} // namespace ferrowen::testing

#pragma once

#include "app/MainController.h"
#include "app/MainForm.h"
#include "settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

#include "FormFieldValue.h"
#include "NamedChild.h"
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
        controller = std::make_unique<MainController>(settings, options());
        controller->start();
    }

    // What the program starts with; a test may add to it.
    virtual MainController::Options options() { return {false, false, &boxes, &fileDialogs}; }

    // The program gone at once, as if killed, and started anew over the
    // same settings file and main folder; the site goes on.
    void restartProgram()
    {
        controller.reset();
        controller = std::make_unique<MainController>(settings, options());
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
    template<typename W = QWidget>
    W *child(const char *name) { return namedChild<W>(form(), name); }
    void click(const char *button) { child<QPushButton>(button)->click(); }

    // Loads `address` into the pane and waits until it has.
    void load(Pane pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(10000)) << address.toStdString();
    }
    QString siteAddress(const char *path) const { return site.baseUrl().resolved(QUrl(QLatin1String(path))).toString(); }
    void openInbox(const char *sitePath) { load(Pane::Inbox, siteAddress(sitePath)); }

    // A field of a form in a pane, or "<no form>".
    QString field(Pane pane, const char *formName, const char *fieldName)
    {
        return formFieldValue(form().browser(pane).document(), QLatin1String(formName), QLatin1String(fieldName));
    }
    QString composeField(const char *name) { return field(Pane::Compose, "compose", name); }

    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    DemoWebmailSite site;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<MainController> controller;
};

} // namespace ferrowen::testing

#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "app/HelpWindow.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "app/Shell.h"
#include "editor/AffiliateSettings.h"
#include "app/settings/SettingsFile.h"
#include "platform/web/BrowserPane.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QSignalSpy>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>

#include <csignal>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "BrowserPaneProbe.h"
#include "ScriptedFileDialogs.h"
#include "SettingsFileFixture.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

class StartupShutdownTest : public ferrowen::testing::SettingsFileFixture
{
protected:
    StartupShutdownTest()
        : SettingsFileFixture("config/ferrowen/plinthmere.ini")
    {
    }

    void TearDown() override { QDir::setCurrent(m_previousFolder); }

    std::unique_ptr<MainController> startProgram(bool splash = false,
                                                 const std::function<void(MainController &)> &beforeStart = {})
    {
        auto controller = std::make_unique<MainController>(settings, MainController::Options{splash, false});
        if (beforeStart)
            beforeStart(*controller);
        controller->start();
        return controller;
    }

    // Writes a small page at `relativePath` in the test's folder; its full path.
    QString writePage(const char *relativePath)
    {
        return ferrowen::testing::writeFile(dir.filePath(QLatin1String(relativePath)), "<html><body>start</body></html>");
    }
    // The current folder until the test ends.
    void enterFolder(const char *relativePath) { ASSERT_TRUE(QDir::setCurrent(dir.filePath(QLatin1String(relativePath)))); }
    void setMainDir(const QString &mainDir)
    {
        ASSERT_TRUE(settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), mainDir).ok());
    }

private:
    const QString m_previousFolder = QDir::currentPath();
};

TEST_F(StartupShutdownTest, noSettingsFileStartsMaximizedFromCurrentFolder)
{
    // With no main folder the start page is looked up from the current folder.
    const QString page = writePage("cwd/html/index.html");
    enterFolder("cwd");

    auto controller = startProgram();
    MainForm &form = controller->window();

    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(controller->folders().MainDir().isEmpty());
    EXPECT_EQ(controller->mainDictionary(), QStringLiteral("\\american.vtd"));
    EXPECT_EQ(controller->helpFile(), QStringLiteral("kestrova.hlp"));
    EXPECT_EQ(form.selectedTab(), 1);
    EXPECT_TRUE(form.findChild<QWidget *>(QStringLiteral("CommandHide"))->isHidden());
    EXPECT_FALSE(controller->shell().state().starting);
    EXPECT_TRUE(controller->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive());

    EXPECT_TRUE(waitFor([&] { return QUrl(form.browser(1).locationUrl()) == QUrl::fromLocalFile(page); }, 10000));

    form.close();
    EXPECT_EQ(get("setmax"), QStringLiteral("1"));
    EXPECT_EQ(get("autopos"), QStringLiteral("1"));
    EXPECT_EQ(get("left"), QStringLiteral("<none>"));
    EXPECT_EQ(get("afftext"), defaultAffiliateText());
    // Written with the blank a sign would take; read back without it.
    EXPECT_TRUE(fileText().contains(QByteArray("ed_ht= ").append(QByteArray::number(controller->shell().state().editor.EditorHeight))));
}

TEST_F(StartupShutdownTest, storedNormalPlacementAndEditorPlacementAreAppliedAndWrittenBack)
{
    set("setmax", "0");
    set("left", "1500");
    set("top", "900");
    set("width", "18000");
    set("height", "12000");
    // With automatic placement off the editor keeps its stored place.
    set("autopos", "0");
    set("ed_top", " 1234");
    set("ed_ht", "2222");
    auto controller = startProgram();
    MainForm &form = controller->window();
    const Twips twips(form.logicalDpiX());

    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.geometry(), twips.toPixels(QRect(1500, 900, 18000, 12000)));
    const EditorPlacement &editor = controller->shell().state().editor;
    EXPECT_EQ(QList<int>({editor.AutoPosition, editor.EditorTop, editor.EditorHeight}), QList<int>({false, 1234, 2222}));

    form.close();
    EXPECT_EQ(get("setmax"), QStringLiteral("0"));
    // Pixels back to twips: the same numbers when they fall on whole pixels.
    EXPECT_EQ(twips.toPixels(QRect(get("left").toInt(), get("top").toInt(), get("width").toInt(), get("height").toInt())),
              form.geometry());
    EXPECT_EQ(get("autopos"), QStringLiteral("0"));
    EXPECT_TRUE(fileText().contains("ed_top= 1234\r\n"));
    EXPECT_TRUE(fileText().contains("ed_ht= 2222\r\n"));
}

TEST_F(StartupShutdownTest, minimizedAtExitStoresOnlySetmax)
{
    set("setmax", "0");
    set("left", "1500");
    auto controller = startProgram();
    MainForm &form = controller->window();
    form.setWindowState(Qt::WindowMinimized);

    form.close();
    EXPECT_EQ(get("setmax"), QStringLiteral("1"));
    EXPECT_EQ(get("left"), QStringLiteral("1500"));
    EXPECT_EQ(get("top"), QStringLiteral("<none>"));
}

// Records every request the browser engine makes.
class RequestLog : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override { urls << info.requestUrl(); }
    QList<QUrl> urls;
};

TEST_F(StartupShutdownTest, startPageIsAlwaysALocalFileAndAMissingOneLeavesThePaneEmpty)
{
    const QString relativePage = writePage("cwd/rel/html/index.html");
    const QString mainPage = writePage("main/html/index.html");
    enterFolder("cwd");
    RequestLog requests;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&requests);
    struct Uninstall { ~Uninstall() { QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr); } } uninstall;

    // The main folder joined to the page's path without a separator; a
    // relative one is a folder below the current one. Empty, or naming a
    // folder without the page: nothing is loaded, and no folder name ever
    // becomes a web address.
    const std::pair<QString, QString> rows[] = {
        {dir.path() + QStringLiteral("/main\\"), mainPage}, {QStringLiteral("rel\\"), relativePage},
        {QString(), QString()}, {QStringLiteral("html\\"), QString()}, {dir.filePath(QStringLiteral("nowhere/")), QString()},
    };
    for (const auto &row : rows) {
        const QString &mainDir = row.first;
        const QString &page = row.second;
        SCOPED_TRACE(mainDir.toStdString());
        setMainDir(mainDir);
        // The page is loaded once, also when the splash lets it finish
        // before the window shows.
        std::unique_ptr<QSignalSpy> loads;
        auto controller = startProgram(!page.isEmpty(), [&loads](MainController &program) {
            loads = std::make_unique<QSignalSpy>(BrowserPaneProbe::page(program.window().browser(1)), &QWebEnginePage::loadFinished);
        });
        BrowserPane &inbox = controller->window().browser(1);
        if (page.isEmpty()) {
            // Anything the start-up asked for is on its way once a later
            // load in another pane has finished.
            BrowserPane &calendar = controller->window().browser(4);
            QSignalSpy loaded(&calendar, &BrowserPane::documentComplete);
            calendar.openLocalFile(relativePage);
            ASSERT_TRUE(loaded.wait(10000));
            EXPECT_EQ(inbox.locationUrl(), QString());
        } else {
            EXPECT_TRUE(waitFor([&] { return QUrl(inbox.locationUrl()) == QUrl::fromLocalFile(page) && !inbox.isBusy(); }, 10000));
            EXPECT_EQ(loads->count(), 1);
            EXPECT_TRUE(controller->mainDictionary().startsWith(mainDir)) << controller->mainDictionary().toStdString();
        }
        controller->window().close();
    }
    for (const QUrl &url : requests.urls) {
        EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
        EXPECT_FALSE(QFileInfo(url.toLocalFile()).isDir()) << "a folder listed: " << url.toString().toStdString();
    }
}

TEST_F(StartupShutdownTest, terminationSignalClosesThroughShutdown)
{
    auto controller = startProgram();
    MainForm &form = controller->window();
    ASSERT_TRUE(form.isVisible());
    ASSERT_EQ(get("setmax"), QStringLiteral("<none>"));

    std::raise(SIGTERM);

    EXPECT_TRUE(waitFor([&] { return !form.isVisible(); }, 5000));
    EXPECT_EQ(get("setmax"), QStringLiteral("1"));
}

TEST_F(StartupShutdownTest, defaultMailProgramButtonOpensItsHelpTopic)
{
    setMainDir(dir.filePath(QStringLiteral("main/")));
    auto controller = startProgram();
    auto *button = controller->window().findChild<QAbstractButton *>(QStringLiteral("CommandDefBrowser"));
    ASSERT_NE(button, nullptr);

    // No help folder: nothing opens and nothing is reported.
    button->click();
    EXPECT_EQ(controller->help().window(), nullptr);

    const QString topic = writePage("main/kestrova.hlp/5002.html");
    button->click();
    QWidget *help = controller->help().window();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName(), QStringLiteral("proc1"));
    EXPECT_TRUE(help->isVisible());
    auto *view = help->findChild<BrowserPane *>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(waitFor([&] { return QUrl(view->locationUrl()) == QUrl::fromLocalFile(topic); }, 10000));
}

TEST_F(StartupShutdownTest, paletteOnStartupAndTheOpenBookWrittenBackAtExit)
{
    const QString mainDir = dir.filePath(QStringLiteral("main/"));
    setMainDir(mainDir);
    const QString book = ferrowen::testing::writeFile(mainDir + QStringLiteral("addrbooks/friends.csv"),
                                                      "\"Name\",\"Email\",\"\"\r\n\"Ann\",\"ann@example.com\",\"\"\r\n");

    ferrowen::testing::ScriptedFileDialogs fileDialogs;
    fileDialogs.openAnswers << book;
    MainController controller(settings, MainController::Options{false, false, nullptr, &fileDialogs});
    controller.window().settingsPanel().showPaletteOnStartup()->setChecked(true);
    controller.start();
    AddressPane &pane = controller.shell().addressPane();
    EXPECT_TRUE(pane.isPaletteOpen());

    pane.Open_CSV();
    EXPECT_EQ(fileDialogs.foldersShown, QStringList{mainDir + QStringLiteral("addrbooks/")});
    ASSERT_EQ(pane.currentPath(), book);
    pane.parts().grid->addressModel().setCell(0, 0, QStringLiteral("Ann Lee"));

    controller.window().close();
    EXPECT_FALSE(pane.isPaletteOpen());
    EXPECT_EQ(ferrowen::testing::fileBytes(book), QByteArray("\"Name\",\"Email\",\"\"\r\n\"Ann Lee\",\"ann@example.com\",\"\"\r\n"));
}

} // namespace

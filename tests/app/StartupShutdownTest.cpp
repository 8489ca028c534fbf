#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "app/HelpWindow.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "app/Shell.h"
#include "settings/SettingsFile.h"
#include "platform/CommandRunner.h"
#include "platform/ProgramVersion.h"
#include "platform/web/BrowserPane.h"

#include <QAbstractButton>
#include <QAction>
#include <QPointer>
#include <QProcess>
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
#include "CommandLineAnswer.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
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

    std::unique_ptr<MainController> startProgram(MainController::Options options = {false, false},
                                                 const std::function<void(MainController &)> &beforeStart = {})
    {
        auto controller = std::make_unique<MainController>(settings, options);
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
    EXPECT_EQ(form.selectedTab(), Tab::InboxLogin);
    EXPECT_TRUE(form.findChild<QWidget *>(QStringLiteral("CommandHide"))->isHidden());
    EXPECT_FALSE(controller->shell().state().starting);
    EXPECT_TRUE(controller->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive());

    EXPECT_TRUE(waitFor([&] { return QUrl(form.browser(Pane::Inbox).locationUrl()) == QUrl::fromLocalFile(page); }, 10000));

    form.close();
    EXPECT_EQ(get("setmax"), QStringLiteral("1"));
    EXPECT_EQ(get("autopos"), QStringLiteral("1"));
    EXPECT_EQ(get("left"), QStringLiteral("<none>"));
    EXPECT_EQ(get("afftext"), QString(SettingKeys::AffiliateText.fallback));
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
        auto controller = startProgram({!page.isEmpty(), false}, [&loads](MainController &program) {
            loads = std::make_unique<QSignalSpy>(BrowserPaneProbe::page(program.window().browser(Pane::Inbox)), &QWebEnginePage::loadFinished);
        });
        BrowserPane &inbox = controller->window().browser(Pane::Inbox);
        if (page.isEmpty()) {
            // Anything the start-up asked for is on its way once a later
            // load in another pane has finished.
            BrowserPane &calendar = controller->window().browser(Pane::Calendar);
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

// Runs `onShow` once, the moment the watched window is shown.
struct ShowWatcher : QObject
{
    std::function<void()> onShow;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && onShow)
            std::exchange(onShow, nullptr)();
        return false;
    }
};

TEST_F(StartupShutdownTest, terminationSignalClosesThroughShutdown)
{
    // Once the program runs, and the moment its window shows (a session
    // ending during start-up).
    for (const bool atShow : {false, true}) {
        SCOPED_TRACE(atShow ? "at show" : "running");
        set("ed_top", "0"); // the shutdown writes it with a blank before the digits
        MainController controller(settings, MainController::Options{false, false});
        ShowWatcher watcher;
        if (atShow)
            watcher.onShow = [] { std::raise(SIGTERM); };
        controller.window().installEventFilter(&watcher);
        controller.start();
        MainForm &form = controller.window();
        if (!atShow) {
            ASSERT_TRUE(form.isVisible());
            std::raise(SIGTERM);
        }
        EXPECT_TRUE(waitFor([&] { return !form.isVisible(); }, 5000));
        EXPECT_TRUE(fileText().contains("ed_top= ")) << fileText().constData();
    }
}

TEST_F(StartupShutdownTest, helpFromTheButtonAndTheHelpMenu)
{
    setMainDir(dir.filePath(QStringLiteral("main/")));
    ferrowen::testing::ScriptedMessageBoxes boxes;
    auto controller = startProgram({false, false, &boxes});
    MainForm &form = controller->window();
    auto *button = form.findChild<QAbstractButton *>(QStringLiteral("CommandDefBrowser"));
    ASSERT_NE(button, nullptr);
    const auto menuItem = [&](const char *name) {
        auto *action = form.findChild<QAction *>(QLatin1String(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    };

    // No help folder: the button opens nothing and says nothing; the menu,
    // asked on purpose, says which page is missing.
    button->click();
    EXPECT_EQ(controller->help().window(), nullptr);
    menuItem("mnuHelpContents")->trigger();
    EXPECT_EQ(controller->help().window(), nullptr);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown.first().text.contains(QStringLiteral("main/kestrova.hlp/index.html"))) << boxes.shown.first().text.toStdString();

    const struct
    {
        const char *menuItem; // none: the Settings tab's button
        const char *page;
    } rows[] = {
        {nullptr, "5002.html"},
        {"mnuHelpContents", "index.html"},
        {"mnuHelpMailMerge", "5000.html"},
        {"mnuHelpTemplates", "5001.html"},
        {"mnuHelpMailLinks", "5002.html"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.page);
        const QString page = writePage((QStringLiteral("main/kestrova.hlp/") + QLatin1String(row.page)).toUtf8().constData());
        if (row.menuItem)
            menuItem(row.menuItem)->trigger();
        else
            button->click();
        QWidget *help = controller->help().window();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->objectName(), QStringLiteral("proc1"));
        EXPECT_TRUE(help->isVisible());
        auto *view = help->findChild<BrowserPane *>();
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(waitFor([&] { return QUrl(view->locationUrl()) == QUrl::fromLocalFile(page); }, 10000));
    }

    // The keys that close a window to glance at, pressed where the page has
    // the focus.
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        SCOPED_TRACE(keys.toString().toStdString());
        menuItem("mnuHelpContents")->trigger();
        QPointer<QWidget> help = controller->help().window();
        ASSERT_TRUE(help);
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QWidget *focus = help->focusWidget() ? help->focusWidget() : help.data();
        QTest::keyClick(focus, Qt::Key(keys[0].key()), keys[0].keyboardModifiers());
        EXPECT_TRUE(waitFor([&] { return !help || !help->isVisible(); }, 5000));
    }

    boxes.shown.clear();
    menuItem("mnuAbout")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown.first().title, QStringLiteral("About Ferrowen"));
    EXPECT_TRUE(boxes.shown.first().text.startsWith(QStringLiteral("Ferrowen ") + programVersion())) << boxes.shown.first().text.toStdString();
}

TEST_F(StartupShutdownTest, mailLinkHandlerMenuItemRunsXdgMimeThroughTheRunner)
{
    // The desktop finds the companion's entry among its application folders.
    const QByteArray previous = qgetenv("XDG_DATA_DIRS");
    ferrowen::testing::writeFile(dir.filePath(QStringLiteral("share/applications/ferrowen-mailto.desktop")), "[Desktop Entry]\n");
    qputenv("XDG_DATA_DIRS", dir.filePath(QStringLiteral("share")).toLocal8Bit());
    struct Restore { QByteArray value; ~Restore() { qputenv("XDG_DATA_DIRS", value); } } restore{previous};

    struct Runner : CommandRunner
    {
        QStringList commands;
        Result run(const QString &program, const QStringList &arguments) override
        {
            commands << program + u' ' + arguments.join(u' ');
            return {true, 0, QStringLiteral("ferrowen-mailto.desktop\n"), QString()};
        }
    } runner;
    ferrowen::testing::ScriptedMessageBoxes boxes;
    MainController::Options options{false, false, &boxes};
    options.commandRunner = &runner;
    auto controller = startProgram(options);

    controller->window().findChild<QAction *>(QStringLiteral("mnuMailLinkHandler"))->trigger();
    EXPECT_EQ(runner.commands, QStringList({QStringLiteral("xdg-mime default ferrowen-mailto.desktop x-scheme-handler/mailto"),
                                            QStringLiteral("xdg-mime query default x-scheme-handler/mailto")}));
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown.last().text, QStringLiteral("Ferrowen is now the mail link handler: mail links open in its Compose tab."));
}

TEST_F(StartupShutdownTest, firstStartLaysOutTheMainFolderBeforeTheWindowShows)
{
    const QString data = dir.filePath(QStringLiteral("installed/"));
    ferrowen::testing::writeFile(data + QStringLiteral("html/index.html"), "<html><body>installed start</body></html>");
    ferrowen::testing::writeFile(data + QStringLiteral("kestrova.hlp/index.html"), "<html><body>help</body></html>");
    const QString mainDir = dir.filePath(QStringLiteral("home/ferrowen/"));
    ferrowen::testing::ScriptedMessageBoxes boxes;
    MainController::Options options{false, false, &boxes};
    options.firstStart = MainController::Options::FirstStart{data, mainDir};

    // Shown the moment the window first shows: the folder is ready by then.
    bool laidOutWhenShown = false;
    auto controller = std::make_unique<MainController>(settings, options);
    ShowWatcher watcher;
    watcher.onShow = [&] { laidOutWhenShown = QFileInfo::exists(mainDir + QStringLiteral("html/index.html")); };
    controller->window().installEventFilter(&watcher);
    controller->start();

    EXPECT_TRUE(laidOutWhenShown);
    EXPECT_EQ(controller->folders().MainDir(), mainDir);
    EXPECT_TRUE(QDir(mainDir + QStringLiteral("templates")).exists());
    EXPECT_TRUE(waitFor([&] { return QUrl(controller->window().browser(Pane::Inbox).locationUrl()) ==
                                     QUrl::fromLocalFile(mainDir + QStringLiteral("html/index.html")); }, 10000));
    EXPECT_TRUE(boxes.shown.isEmpty());
    controller->window().close();
    controller.reset();

    // Without the program's own files the start says so and records nothing.
    SettingsFile fresh(dir.filePath(QStringLiteral("config/fresh.ini")));
    options.firstStart = MainController::Options::FirstStart{QString(), dir.filePath(QStringLiteral("other/"))};
    MainController withoutFiles(fresh, options);
    withoutFiles.start();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown.first().icon, MessageBoxes::Icon::Warning);
    EXPECT_TRUE(boxes.shown.first().text.contains(QStringLiteral("could not set up its main folder"))) << boxes.shown.first().text.toStdString();
    EXPECT_TRUE(withoutFiles.folders().MainDir().isEmpty());
    withoutFiles.window().close();
}

// The program as a command: these answers need no display and open no window.
TEST(ProgramCommandLine, helpVersionAndMistakesAnswerWithoutAWindow)
{
    const ferrowen::testing::CommandLineAnswer rows[] = {
        {{QStringLiteral("--version")}, 0, "ferrowen " FERROWEN_EXPECTED_VERSION "\n", ""},
        {{QStringLiteral("-v")}, 0, "ferrowen " FERROWEN_EXPECTED_VERSION "\n", ""},
        {{QStringLiteral("--help")}, 0, "Usage: ferrowen [options]\n", ""},
        // Qt's own options are let through to Qt.
        {{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("-h")}, 0, "Usage: ferrowen", ""},
        {{QStringLiteral("--bogus")}, 2, "", "ferrowen: Unknown option 'bogus'.\nTry 'ferrowen --help' for more information.\n"},
        {{QStringLiteral("mailto:a@b.example")}, 2, "", "unexpected argument 'mailto:a@b.example'"},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    for (const auto &row : rows)
        ferrowen::testing::expectAnswer(QStringLiteral(FERROWEN_EXE), row, environment);
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

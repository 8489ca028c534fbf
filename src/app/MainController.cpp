#include "app/MainController.h"

#include "app/HelpWindow.h"
#include "app/LatestValueWriter.h"
#include "app/MailtoHandoffDriver.h"
#include "app/MainForm.h"
#include "app/MainFormComposeHost.h"
#include "app/ProgramTitle.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "app/SplashWindow.h"
#include "app/Twips.h"
#include "app/UnixSignalCloser.h"
#include "platform/web/BrowserPane.h"
#include "webmail/ComposePage.h"
#include "webmail/ReplyOrForward.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>

namespace ferrowen {

using namespace SettingsKeys;

namespace {

void letPendingEventsRun()
{
    QCoreApplication::processEvents();
}

double verticalTwipsPerPixel(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchY() : 96.0).perPixel();
}

} // namespace

MainController::MainController(SettingsFile &settings, Options options)
    : m_settings(settings)
    , m_options(options)
    , m_form(std::make_unique<MainForm>())
    , m_trace(std::make_unique<LatestValueWriter>(settings.profile(), Settings, Bug))
    , m_composeHost(std::make_unique<MainFormComposeHost>(*m_form, *m_trace))
    , m_help(std::make_unique<HelpWindow>(m_form.get()))
    , m_mailto(settings, [this](const QString &code) { m_trace->write(code); }, letPendingEventsRun,
               [this](const QString &link) {
                   m_composeHost->fields().mailtoText = link;
                   ReplyOrForward(*m_composeHost, ComposeMode::Mailto);
               })
    , m_mailtoDriver(std::make_unique<MailtoHandoffDriver>(m_mailto, *m_form->timer2(), settings.path()))
{
    connectWindow();
}

MainController::~MainController()
{
    m_composeHost->markClosing();
}

void MainController::connectWindow()
{
    connect(m_form.get(), &MainForm::composeTabSelected, this, [this] { OpenComposePage(*m_composeHost); });
    connect(m_form.get(), &MainForm::calendarTabSelected, this, [this] { OpenCalendarPage(*m_composeHost); });
    connect(m_form.get(), &MainForm::closing, this, &MainController::shutdown);
    connect(m_form->settingsPanel(), &SettingsPanel::defaultMailProgramHelpRequested, this,
            [this] {
                // A missing help page is skipped silently, like a missing help file.
                (void)m_help->showTopic(m_helpFile, HelpTopic::DefaultMailProgram);
            });
    connect(m_mailtoDriver.get(), &MailtoHandoffDriver::linkHandled, this, &MainController::mailLinkHandled);
    connect(m_form->webBrowser(3), &BrowserPane::beforeNavigate, this, &MainController::onComposeBeforeNavigate);
}

void MainController::start()
{
    m_starting = true;
    MainForm &form = *m_form;

    // Editor panel placed for this screen until the settings say otherwise.
    m_editor = editorPlacementForScreen(verticalTwipsPerPixel(form));
    form.setEditorHeight(m_editor.EditorHeight);
    form.hideAddressPane();

    m_folders = AppFolders::fromSettings(m_settings);
    const QString startPage = toFileSystemPath(m_folders.path(AppPaths::StartPage));
    form.webBrowser(1)->navigate(startPage);

    if (m_options.showSplash)
        SplashWindow::showModal(&form);

    QGuiApplication::setApplicationDisplayName(ProgramTitle.toString());
    form.setWindowTitle(ProgramTitle.toString());
    if (auto *folders = form.findChild<QComboBox *>(QStringLiteral("ComboFolders")); folders && folders->count() > 0)
        folders->setCurrentIndex(0);
    form.WaitCancelled = false;
    form.MergeInProgress = false;

    m_helpFile = m_folders.path(AppPaths::HelpFile);
    m_mainDictionary = m_settings.GetIni(Locations, MainDictionary, QString());
    if (m_mainDictionary.isEmpty())
        m_mainDictionary = m_folders.defaultMainDictionary();
    m_customDictionary = m_settings.GetIni(Locations, CustomDictionary, QString());
    m_affiliateId = m_settings.GetIni(Settings, AffiliateId, QString());
    m_affiliateText = m_settings.GetIni(Settings, AffiliateText, defaultAffiliateText());

    applyWindowPlacement();
    m_editor = readEditorPlacement(m_settings, verticalTwipsPerPixel(form));

    form.webBrowser(1)->navigate(startPage);
    form.selectTab(1);
    m_starting = false;

    form.applyResizeLayout();
    form.show();
    m_signalCloser = std::make_unique<UnixSignalCloser>(&form);
    m_mailtoDriver->start();
}

void MainController::applyWindowPlacement()
{
    const StoredPlacement placement = readWindowPlacement(m_settings);
    if (placement.maximized) {
        m_form->setWindowState(Qt::WindowMaximized);
    } else if (placement.hasNormalGeometry) {
        const Twips twips(m_form->logicalDpiX());
        m_form->setGeometry(twips.toPixels(placement.normalGeometry));
    }
}

void MainController::onComposeBeforeNavigate(const QUrl &url, const QByteArray &postData)
{
    if (postData.isEmpty())
        return;
    m_lastComposeSubmission = postData;
    Q_EMIT composeFormSubmitted(url, postData);
}

void MainController::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_composeHost->markClosing();
    m_mailtoDriver->stop();

    ExitState state;
    state.editor = m_editor;
    state.affiliate = m_affiliate;
    state.affiliateId = m_affiliateId;
    state.affiliateText = m_affiliateText;
    const Qt::WindowStates windowState = m_form->windowState();
    state.normalWindow = !(windowState & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    state.normalGeometry = Twips(m_form->logicalDpiX()).toTwips(m_form->geometry());
    if (Status written = writeExitState(m_settings, state, letPendingEventsRun); !written)
        qWarning("the window placement was not saved: %s", qPrintable(written.error()));

    if (m_options.startCompanionAtExit)
        startCompanion();
}

void MainController::startCompanion()
{
    const QString program = toFileSystemPath(m_folders.path(AppPaths::CompanionProgram));
    const QFileInfo info(program);
    if (info.isFile() && info.isExecutable())
        QProcess::startDetached(info.absoluteFilePath(), {});
}

} // namespace ferrowen

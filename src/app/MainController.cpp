#include "app/MainController.h"

#include "addressbook/ui/AddressPane.h"
#include "app/HelpWindow.h"
#include "app/MailLinkHandler.h"
#include "app/InboxFramesBand.h"
#include "app/LatestValueWriter.h"
#include "app/MailtoHandoffDriver.h"
#include "app/MainForm.h"
#include "settings/ProgramTitle.h"
#include "app/SettingsPanel.h"
#include "app/Shell.h"
#include "app/ShellComposeHost.h"
#include "app/SplashWindow.h"
#include "app/ShellMergeHost.h"
#include "app/Twips.h"
#include "app/UnixSignalCloser.h"
#include "app/WindowPlacement.h"
#include "settings/HelpTopics.h"
#include "settings/SettingsFile.h"
#include "installer/MainFolderInstaller.h"
#include "merge/ui/TemplateLists.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessCommandRunner.h"
#include "platform/ProgramVersion.h"
#include "platform/web/BrowserPane.h"
#include "spell/DictionaryChoice.h"
#include "store/ui/SavedFoldersPane.h"
#include "webmail/ReplyOrForward.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace ferrowen {

namespace Key = SettingKeys;

namespace {

// Lets the window paint and timers and replies run before a settings step;
// the user's input waits, as in every other wait of the interface thread,
// since it could start work (a merge, a filling) in the middle of that step.
void letPendingEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

double verticalTwipsPerPixel(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return Twips(screen ? screen->logicalDotsPerInchY() : 96.0).perPixel();
}

QTimer *newTimer2(QObject *owner)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QStringLiteral("Timer2"));
    return timer;
}

} // namespace

MainController::MainController(SettingsFile &settings, Options options)
    : m_settings(settings)
    , m_options(options)
    , m_shell(std::make_unique<Shell>(
          settings,
          [this](HelpTopic topic) {
              // A missing help page is skipped silently, like a missing help file.
              (void)m_help->showTopic(m_helpFile, topic);
          },
          options.messageBoxes, options.fileDialogs, options.colorChooser, options.spellDialog))
    , m_help(std::make_unique<HelpWindow>(&m_shell->window()))
    , m_timer2(newTimer2(this))
    , m_mailto(settings, [this](const QString &code) { m_shell->trace().write(code); }, letPendingEventsRun,
               [this](const QString &link) {
                   m_shell->state().compose.mailtoText = link;
                   ReplyOrForward(m_shell->compose(), ComposeMode::Mailto);
               })
    , m_mailtoDriver(std::make_unique<MailtoHandoffDriver>(m_mailto, *m_timer2, settings.path()))
{
    if (!m_options.commandRunner) {
        m_ownCommandRunner = std::make_unique<ProcessCommandRunner>();
        m_options.commandRunner = m_ownCommandRunner.get();
    }
    connectWindow();
}

MainController::~MainController() = default;

MainForm &MainController::window() const
{
    return m_shell->window();
}

const AppFolders &MainController::folders() const
{
    return m_shell->state().folders;
}

void MainController::connectWindow()
{
    m_mailto.holdWhile([this] { return m_shell->state().MergeInProgress; });
    // A link leaves the settings file once it is filled in or discarded;
    // the next one may follow at once.
    m_shell->compose().onMailLinkDone([this](const QString &link) {
        m_mailto.linkDone(link);
        m_mailtoDriver->lookAgainSoon(m_mailto.untilClear());
        Q_EMIT mailLinkDone(link);
    });
    MainForm &form = window();
    connect(&form, &MainForm::closing, this, &MainController::shutdown);
    connect(&form.settingsPanel(), &SettingsPanel::defaultMailProgramHelpRequested, this, [this] {
        // A missing help page is skipped silently, like a missing help file.
        (void)m_help->showTopic(m_helpFile, HelpTopic::DefaultMailProgram);
    });
    connect(m_mailtoDriver.get(), &MailtoHandoffDriver::linkHandled, this, &MainController::mailLinkHandled);

    // Asked for from the menu, so a missing page is said.
    connect(&form, &MainForm::helpContentsRequested, this,
            [this] { reportHelpFailure(m_help->showContents(m_helpFile)); });
    connect(&form, &MainForm::helpTopicRequested, this,
            [this](HelpTopic topic) { reportHelpFailure(m_help->showTopic(m_helpFile, topic)); });
    connect(&form, &MainForm::mailLinkHandlerRequested, this, [this] {
        MakeMailLinkHandler(m_shell->messageBoxes(), *m_options.commandRunner,
                            QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
    });
    connect(&form, &MainForm::aboutRequested, this, &MainController::showAbout);
    connect(&form.settingsPanel(), &SettingsPanel::providerPinRequested, this, &MainController::pinProvider);
}

void MainController::reportHelpFailure(const Status &shown)
{
    if (shown)
        return;
    m_shell->messageBoxes().show(QStringLiteral("%1 cannot show its help: %2.\n\nferrowen-install puts the "
                                                "program's pages back into the main folder.")
                                     .arg(ProgramTitle.toString(), shown.error()),
                                 MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
}

void MainController::showAbout()
{
    m_shell->messageBoxes().show(
        QStringLiteral("%1 %2\n\nA desktop companion for browser-based webmail: saved messages, address books, "
                       "templates and mail merge beside your webmail site.\n\nBuilt with Qt %3, running on Qt %4.")
            .arg(ProgramTitle.toString(), programVersion(), QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())),
        MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Information,
        QStringLiteral("About ") + ProgramTitle.toString());
}

void MainController::setUpOnFirstStart(const Options::FirstStart &firstStart)
{
    const StatusOr<bool> laidOut =
        MainFolderInstaller::setUpOnFirstStart(m_settings, firstStart.dataDir, firstStart.mainDir);
    if (!laidOut) {
        m_shell->messageBoxes().show(
            QStringLiteral("Ferrowen could not set up its main folder %1: %2.\n\nIt starts without its start page "
                           "and help, and tries again at the next start.")
                .arg(firstStart.mainDir, laidOut.error()),
            MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
    }
}

void MainController::pinProvider(const QString &address, const QString &providerKey)
{
    const QUrl url = QUrl::fromUserInput(address);
    const bool web = url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    if (!providerKey.isEmpty() && !web) {
        m_shell->messageBoxes().show(
            tr("Type the address of your webmail, such as https://mail.example.org/, to pin it to a provider."));
        return;
    }
    const QString stored = providerKey.isEmpty() ? QString() : url.toString();
    for (const auto &[key, value] : {std::pair{Key::ProviderPinAddress, stored}, std::pair{Key::ProviderPin, providerKey}}) {
        if (const Status written = writeSetting(m_settings, key, value); !written) {
            m_shell->messageBoxes().show(tr("The pin could not be kept in the settings file: %1").arg(written.error()));
            return;
        }
    }
    ComposeState &compose = m_shell->state().compose;
    compose.pinnedAddress = stored;
    compose.pinnedProvider = providerKey;
    window().settingsPanel().showProviderPin(stored, providerKey);
}

void MainController::start()
{
    ShellState &state = m_shell->state();
    state.starting = true;
    MainForm &form = window();

    // Editor panel placed for this screen until the settings say otherwise.
    state.editor = editorPlacementForScreen(verticalTwipsPerPixel(form));
    form.setEditorHeight(state.editor.EditorHeight);
    form.hideAddressPane();

    if (m_options.firstStart)
        setUpOnFirstStart(*m_options.firstStart);
    state.folders = AppFolders::fromSettings(m_settings);
    const AppFolders &folders = state.folders;
    const QString startPage = toFileSystemPath(folders.path(AppPaths::StartPage));
    form.browser(Pane::Inbox).openLocalFile(startPage);

    if (m_options.showSplash)
        SplashWindow::showModal(&form);

    QGuiApplication::setApplicationDisplayName(ProgramTitle.toString());
    form.setWindowTitle(ProgramTitle.toString());
    // The folder lists show the folders on disk; "&Save Msg <<" then saves
    // into the first of them.
    m_shell->savedFolders().RefreshFolderLists(QString());
    if (QComboBox *saveFolders = form.band().folderCombo(); saveFolders->count() > 0)
        saveFolders->setCurrentIndex(0);
    // The templates of earlier runs are offered as well.
    ListSavedTemplates(m_shell->mergeHost());
    state.WaitCancelled = false;
    state.MergeInProgress = false;

    m_helpFile = folders.path(AppPaths::HelpFile);
    m_mainDictionary = readSetting(m_settings, Key::MainDictionary);
    if (m_mainDictionary.isEmpty())
        m_mainDictionary = folders.defaultMainDictionary();
    m_customDictionary = readSetting(m_settings, Key::CustomDictionary);
    // The spelling engine loads its dictionaries at the first check.
    state.dictionaries.mainSetting = m_mainDictionary;
    state.dictionaries.customPath =
        chooseCustomDictionary(toFileSystemPath(m_customDictionary), toFileSystemPath(folders.MainDir()));
    state.compose.pinnedAddress = readSetting(m_settings, Key::ProviderPinAddress);
    state.compose.pinnedProvider = readSetting(m_settings, Key::ProviderPin);
    form.settingsPanel().showProviderPin(state.compose.pinnedAddress, state.compose.pinnedProvider);
    state.affiliate.id = readSetting(m_settings, Key::AffiliateId);
    state.affiliate.text = readSetting(m_settings, Key::AffiliateText);

    applyWindowPlacement();
    state.editor = readEditorPlacement(m_settings, verticalTwipsPerPixel(form));

    // The start page asked for above is on its way: loading it a second
    // time would only make the pane start over.
    form.selectTab(Tab::InboxLogin);
    state.starting = false;

    form.applyResizeLayout();
    // Before the window shows: a logout that comes as soon as it is seen
    // still closes it through the shutdown (the signal is handled once the
    // event loop runs).
    m_signalCloser = std::make_unique<UnixSignalCloser>(&form);
    form.show();
    AddressPane &addresses = m_shell->addressPane();
    addresses.closePalette();
    if (form.settingsPanel().showPaletteOnStartup()->isChecked())
        addresses.showPalette();
    m_mailtoDriver->start();
}

void MainController::applyWindowPlacement()
{
    MainForm &form = window();
    const StoredPlacement placement = readWindowPlacement(m_settings);
    if (placement.maximized) {
        form.setWindowState(Qt::WindowMaximized);
    } else if (placement.hasNormalGeometry) {
        const Twips twips(form.logicalDpiX());
        form.setGeometry(twips.toPixels(placement.normalGeometry));
    }
}

void MainController::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_shell->markClosing();
    m_mailtoDriver->stop();
    // No edit of the open address book is lost by closing.
    m_shell->addressPane().saveAtExit();

    const ShellState &shared = m_shell->state();
    MainForm &form = window();
    ExitState state;
    state.editor = shared.editor;
    state.affiliate = shared.affiliate.enabled;
    state.affiliateId = shared.affiliate.id;
    state.affiliateText = shared.affiliate.text;
    const Qt::WindowStates windowState = form.windowState();
    state.normalWindow = !(windowState & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    state.normalGeometry = Twips(form.logicalDpiX()).toTwips(form.geometry());
    if (Status written = writeExitState(m_settings, state, letPendingEventsRun); !written)
        qWarning("the window placement was not saved: %s", qPrintable(written.error()));

    if (m_options.startCompanionAtExit)
        startCompanion();
}

void MainController::startCompanion()
{
    const QString program = toFileSystemPath(folders().path(AppPaths::CompanionProgram));
    const QFileInfo info(program);
    if (info.isFile() && info.isExecutable())
        QProcess::startDetached(info.absoluteFilePath(), {});
}

} // namespace ferrowen

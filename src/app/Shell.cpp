#include "app/Shell.h"

#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/LatestValueWriter.h"
#include "app/MainForm.h"
#include "settings/ProgramTitle.h"
#include "app/ShellComposeHost.h"
#include "app/ShellAddressBookHost.h"
#include "app/ShellEditorHost.h"
#include "app/ShellMergeHost.h"
#include "app/ShellMessageSaveHost.h"
#include "app/ShellStoreHost.h"
#include "settings/HelpTopics.h"
#include "settings/SettingsFile.h"
#include "editor/ui/EditorDialogSet.h"
#include "editor/ui/EditorPanel.h"
#include "platform/spell/HunspellEngine.h"
#include "platform/ui/QtColorChooser.h"
#include "merge/ui/DialogMerge.h"
#include "merge/ui/DialogTemplate.h"
#include "merge/ui/TemplateLists.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/web/BrowserPane.h"
#include "platform/web/PageCallWaits.h"
#include "spell/ui/SpellingDialog.h"
#include "store/ui/SavedFoldersPane.h"
#include "webmail/AddressInsertion.h"
#include "webmail/CaptureMessage.h"
#include "webmail/CaptureSentMessage.h"
#include "webmail/SentCopyAwaitingAnswer.h"
#include "webmail/ComposePage.h"
#include "webmail/FillCheckedRange.h"
#include "webmail/WaitingFillings.h"

#include <QPushButton>

namespace ferrowen {

Shell::Shell(SettingsFile &settings, ShowHelp showHelp, MessageBoxes *messageBoxes, FileDialogs *fileDialogs,
             ColorChooser *colorChooser, SpellDialog *spellDialog)
    : m_form(std::make_unique<MainForm>())
    , m_spellEngine(std::make_unique<HunspellEngine>())
{
    if (!messageBoxes) {
        m_ownMessageBoxes = std::make_unique<QtMessageBoxes>(m_form.get(), ProgramTitle.toString());
        messageBoxes = m_ownMessageBoxes.get();
    }
    if (!fileDialogs) {
        m_ownFileDialogs = std::make_unique<QtFileDialogs>(m_form.get());
        fileDialogs = m_ownFileDialogs.get();
    }
    if (!colorChooser) {
        m_ownColorChooser = std::make_unique<QtColorChooser>(m_form.get());
        colorChooser = m_ownColorChooser.get();
    }
    if (!spellDialog)
        spellDialog = new SpellingDialog(m_form.get());
    m_messageBoxes = messageBoxes;
    m_trace = std::make_unique<LatestValueWriter>(settings.profile(), SettingKeys::Bug.section, SettingKeys::Bug.name);

    m_composeHost = std::make_unique<ShellComposeHost>(*m_form, m_state, *m_trace, *m_messageBoxes);
    m_storeHost = std::make_unique<ShellStoreHost>(*m_composeHost, *m_form, m_state, *m_messageBoxes);
    m_messageSaveHost = std::make_unique<ShellMessageSaveHost>(*m_form, m_state, *m_messageBoxes);
    m_sentCopy = std::make_unique<SentCopyAwaitingAnswer>(*m_composeHost, *m_messageSaveHost);
    m_addressBookHost = std::make_unique<ShellAddressBookHost>(*m_composeHost, *m_form, m_state, *m_messageBoxes,
                                                               *fileDialogs);
    m_editorHost = std::make_unique<ShellEditorHost>(
        *m_form, m_state, settings,
        ShellEditorHost::Services{*m_messageBoxes, *fileDialogs, *colorChooser, *m_spellEngine, *spellDialog});
    m_mergeHost = std::make_unique<ShellMergeHost>(
        *m_composeHost, *m_form, m_state,
        [showHelp](ShellMergeHost::Help help) {
            showHelp(help == ShellMergeHost::Help::MailMerge ? HelpTopic::MailMerge : HelpTopic::Templates);
        },
        ShellMergeHost::Services{*m_messageBoxes, *fileDialogs, settings});

    m_addressPane = new AddressPane(*m_addressBookHost, m_form.get());
    m_savedFolders = new SavedFoldersPane(*m_storeHost, m_form.get());
    m_editorPanel = new EditorPanel(*m_editorHost, m_form.get());
    m_composeHost->setAddressSource(*m_addressPane);
    m_mergeHost->setAddressPane(*m_addressPane);
    m_form->attachAddressPane(m_addressPane->parts());
    m_form->attachSavedFolders(m_savedFolders->parts());
    m_form->attachEditorPanel(m_editorPanel->parts());
    m_editorDialogs = std::make_unique<EditorDialogSet>(*m_editorPanel, *m_editorHost, m_form.get());
    m_editorPanel->setDialogs(m_editorDialogs.get());

    connectWindow();
}

Shell::~Shell()
{
    markClosing();
    m_editorPanel->setDialogs(nullptr);
    // The merge dialog goes before the host it works through.
    delete m_mergeDialog;
    // The panes go before the window, whose parts they watch.
    delete m_editorPanel;
    delete m_savedFolders;
    delete m_addressPane;
}

bool Shell::sentCopyAwaitsAnswer() const
{
    return m_sentCopy->isWaiting();
}

void Shell::openMailMerge()
{
    if (m_form->selectedTab() != Tab::Compose)
        m_form->selectTab(Tab::Compose);
    // One hidden by Escape without a run opens afresh; one hidden during a
    // run shows again as it is.
    if (m_mergeDialog && m_mergeDialog->isHidden() && !m_mergeDialog->isRunning())
        delete m_mergeDialog;
    if (!m_mergeDialog) {
        m_mergeDialog = new DialogMerge(m_mergeHost->runHost(), *m_mergeHost, *m_mergeHost, m_form.get());
        m_mergeDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_mergeDialog->show();
    m_mergeDialog->raise();
    m_mergeDialog->activateWindow();
}

void Shell::retryWaitingFillingsSoon()
{
    // Not inside the pane's own event: the filling waits on the panes.
    QMetaObject::invokeMethod(this, [this] { RetryWaitingFillings(*m_composeHost); }, Qt::QueuedConnection);
}

void Shell::markClosing()
{
    m_composeHost->markClosing();
}

void Shell::connectWindow()
{
    MainForm &form = *m_form;
    // What the user starts while a page call waits runs once it is
    // answered (see PageCallWaits); Cancel reaches the waits at once.
    const auto afterPageCalls = [this](std::function<void()> work) {
        return [this, work = std::move(work)] { PageCallWaits::instance().whenNoneWaits(this, work); };
    };
    connect(&form, &MainForm::composeTabSelected, this, afterPageCalls([this] { OpenComposePage(*m_composeHost); }));
    connect(&form, &MainForm::calendarTabSelected, this, afterPageCalls([this] { OpenCalendarPage(*m_composeHost); }));
    connect(&form, &MainForm::waitCancelled, this, [this] { m_state.WaitCancelled = true; });
    connect(&form, &MainForm::transferEditorBodyRequested, this,
            afterPageCalls([this] { m_editorPanel->transferEditorBodyOnRequest(); }));
    connect(&form, &MainForm::editorPlaceShown, m_editorPanel, &EditorPanel::setPlaceShown);
    m_editorPanel->setPlaceShown(form.isEditorPlaceShown());
    connect(&form, &MainForm::surfaceMousePressed, this, afterPageCalls([this] { FillCheckedRange(*m_composeHost); }));
    connect(&form, &MainForm::fillCheckedRangeRequested, this,
            afterPageCalls([this] { FillCheckedRange(*m_composeHost); }));
    connect(&form, &MainForm::savedFoldersTabSelected, this, afterPageCalls([this] { m_savedFolders->showListAgain(); }));

    InboxFramesBand &band = form.band();
    connect(band.saveMessageButton(), &QPushButton::clicked, this,
            afterPageCalls([this] { CaptureMessage(*m_composeHost, *m_messageSaveHost); }));
    connect(band.newFolderButton(), &QPushButton::clicked, this,
            afterPageCalls([this] { m_savedFolders->openNewFolderDialog(); }));
    // Besides collapsing the editor panel (the window's part).
    connect(band.useTemplateButton(), &QPushButton::clicked, this,
            afterPageCalls([this] { UseChosenTemplate(*m_mergeHost, *m_messageBoxes); }));
    connect(band.mailMergeButton(), &QPushButton::clicked, this, afterPageCalls([this] { openMailMerge(); }));
    connect(band.templateDialogButton(), &QPushButton::clicked, this, afterPageCalls([this] {
        DialogTemplate dialog(*m_mergeHost, *m_mergeHost, m_form.get());
        dialog.exec();
    }));

    connect(m_addressPane, &AddressPane::expandToggled, &form, &MainForm::toggleAddressExpanded);
    connect(&form, &MainForm::addressPaneExpanded, m_addressPane, &AddressPane::setExpanded);
    connect(&form, &MainForm::addressPaneShown, m_addressPane, &AddressPane::paneShown);
    connect(form.band().paletteButton(), &QPushButton::clicked, m_addressPane, &AddressPane::showPalette);
    // The palette follows the first pane's left edge on screen.
    connect(&form, &MainForm::paletteMoveRequested, m_addressPane,
            [this] { m_addressPane->movePaletteLeftTo(m_form->browser(Pane::Inbox).mapToGlobal(QPoint()).x()); });

    BrowserPane &preview = form.browser(Pane::Preview);
    connect(&preview, &BrowserPane::documentComplete, m_savedFolders,
            [this, &preview](const QString &) { m_savedFolders->previewLoaded(preview.locationUrl(), !preview.isHidden()); });
    BrowserPane &compose = form.browser(Pane::Compose);
    connect(&compose, &BrowserPane::documentComplete, this, [this](const QString &) {
        ComposeDocumentComplete(*m_composeHost);
        retryWaitingFillingsSoon();
    });
    // The user may have signed in: a filling waiting for a compose page tries again.
    connect(&form.browser(Pane::Inbox), &BrowserPane::documentComplete, this, &Shell::retryWaitingFillingsSoon);
    connect(&form, &MainForm::fillWaitingRequested, this, afterPageCalls([this] { FillWaitingNow(*m_composeHost); }));
    connect(&form, &MainForm::discardWaitingRequested, this, afterPageCalls([this] { DiscardWaiting(*m_composeHost); }));
    connect(&compose, &BrowserPane::beforeNavigate, this,
            [this](const QUrl &target, const QByteArray &postData, const QString &charset) {
                if (const auto unanswered = CaptureSentMessage(*m_composeHost, *m_messageSaveHost, target, postData, charset))
                    m_sentCopy->await(*unanswered);
            });
}

} // namespace ferrowen

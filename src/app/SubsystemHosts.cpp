#include "app/SubsystemHosts.h"

#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "app/ShellState.h"
#include "settings/SettingsFile.h"
#include "platform/web/BrowserPane.h"
#include "platform/WebPage.h"
#include "webmail/AddressInsertion.h"
#include "webmail/CaptureMessage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"
#include "webmail/ReplyOrForward.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include <tuple>

namespace ferrowen {

namespace {

ComposeMode composeModeFor(SavedMessageAction action)
{
    switch (action) {
    case SavedMessageAction::ReplyWithText: return ComposeMode::ReplyWithText;
    case SavedMessageAction::ReplyBlank: return ComposeMode::ReplyBlank;
    case SavedMessageAction::Forward: return ComposeMode::Forward;
    case SavedMessageAction::SendAgain: return ComposeMode::SendAgain;
    }
    return ComposeMode::ReplyWithText;
}

QString storeFolder(const ShellState &state)
{
    return toFileSystemPath(state.folders.path(AppPaths::SavedMessages));
}

MergeHost::FormFill formFillFor(ComposeFillOutcome outcome)
{
    switch (outcome) {
    case ComposeFillOutcome::Filled: return MergeHost::FormFill::Done;
    // The template waits in the window's notice: inserting it is done with.
    case ComposeFillOutcome::Waiting: return MergeHost::FormFill::Done;
    case ComposeFillOutcome::Stopped: return MergeHost::FormFill::Stopped;
    case ComposeFillOutcome::Failed: return MergeHost::FormFill::Failed;
    }
    return MergeHost::FormFill::Failed;
}

void addIfMissing(QComboBox *combo, const QString &text)
{
    if (combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        combo->addItem(text);
}

void fillFolderCombo(QComboBox *combo, const QStringList &folders, int chosen)
{
    combo->clear();
    combo->addItems(folders);
    combo->setCurrentIndex(chosen);
}

} // namespace

ShellStoreHost::ShellStoreHost(ComposeHost &compose, MainForm &form, const ShellState &state,
                               MessageBoxes &messageBoxes)
    : m_compose(compose)
    , m_form(form)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
{
}

void ShellStoreHost::runSavedMessageAction(SavedMessageAction action)
{
    ReplyOrForward(m_compose, composeModeFor(action));
}

bool ShellStoreHost::isStarting() const
{
    return m_state.starting;
}

QString ShellStoreHost::savedMessagesFolder() const
{
    return storeFolder(m_state);
}

QString ShellStoreHost::blankMessagePage() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::BlankMessagePage));
}

void ShellStoreHost::showPreview(const QString &path)
{
    m_form.browser(2).openLocalFile(path);
}

void ShellStoreHost::showFolderChoices(const QStringList &folders, int chosen)
{
    fillFolderCombo(m_form.band().folderCombo(), folders, chosen);
    fillFolderCombo(m_form.settingsPanel().defaultFolderCombo(), folders, -1);
}

void ShellStoreHost::openInFileManager(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void ShellStoreHost::showProgress(int value, int maximum)
{
    m_form.showProgress(value, maximum);
}

void ShellStoreHost::hideProgress()
{
    m_form.hideProgress();
}

ShellMessageSaveHost::ShellMessageSaveHost(MainForm &form, const ShellState &state, MessageBoxes &messageBoxes)
    : m_form(form)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
{
}

QString ShellMessageSaveHost::savedMessagesFolder() const
{
    return storeFolder(m_state);
}

QString ShellMessageSaveHost::chosenFolder() const
{
    const QComboBox *folders = m_form.band().folderCombo();
    return folders->currentIndex() >= 0 ? folders->itemText(folders->currentIndex()) : QString();
}

void ShellMessageSaveHost::showMessageSavedLabel(bool shown)
{
    m_form.band().messageSavedLabel()->setVisible(shown);
}

void ShellMessageSaveHost::setStatusText(int panel, const QString &text)
{
    m_form.setStatusPanelText(panel, text);
}

ShellAddressBookHost::ShellAddressBookHost(ComposeHost &compose, MainForm &form, const ShellState &state,
                                           MessageBoxes &messageBoxes, FileDialogs &fileDialogs)
    : m_compose(compose)
    , m_form(form)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
    , m_fileDialogs(fileDialogs)
{
}

void ShellAddressBookHost::insertIntoComposeForm(qint16 code)
{
    Web_InsertField(m_compose, code);
}

QString ShellAddressBookHost::mainDir() const
{
    return m_state.folders.MainDir();
}

void ShellAddressBookHost::showWebmailTab()
{
    if (m_compose.selectedTab() != 1)
        m_compose.selectTab(1);
}

QString ShellAddressBookHost::webmailPageText()
{
    return m_compose.page(Pane::Inbox).bodyText();
}

const ProviderProfile &ShellAddressBookHost::detectProvider()
{
    return DetectProvider(m_compose);
}

QString ShellAddressBookHost::webmailSenderThroughScript(const ProviderProfile &profile)
{
    return displayedSenderThroughScript(m_compose.page(Pane::Inbox), profile);
}

ComposeState &ShellAddressBookHost::webmailState()
{
    return m_compose.state();
}

void ShellAddressBookHost::setStatusText(int panel, const QString &text)
{
    m_form.setStatusPanelText(panel, text);
}

ShellEditorHost::ShellEditorHost(MainForm &form, ShellState &state, SettingsAccess &settings, Services services)
    : m_form(form)
    , m_state(state)
    , m_settings(settings)
    , m_services(services)
{
}

EditorPlacement &ShellEditorHost::placement()
{
    return m_state.editor;
}

AffiliateSettings &ShellEditorHost::affiliate()
{
    return m_state.affiliate;
}

WebPage &ShellEditorHost::inboxPage()
{
    return m_form.browser(1).document();
}

SpellDictionaries ShellEditorHost::dictionaries() const
{
    return m_state.dictionaries;
}

void ShellEditorHost::setMainDictionary(const QString &wordFile)
{
    m_state.dictionaries.mainSetting = wordFile;
    if (Status written = m_settings.SetIni(SettingsKeys::Locations, SettingsKeys::MainDictionary, wordFile); !written)
        qWarning("the chosen dictionary was not saved: %s", qPrintable(written.error()));
}

int ShellEditorHost::editorPanelHeight() const
{
    return m_form.editorHeight();
}

void ShellEditorHost::setEditorPanelHeight(int height)
{
    m_form.setEditorHeight(height);
}

int ShellEditorHost::firstPaneHeight() const
{
    return m_form.webBrowser1Geometry().height();
}

void ShellEditorHost::foldEditorPanel()
{
    m_form.collapseEditor();
}

void ShellEditorHost::unfoldEditorPanel()
{
    if (m_form.selectedTab() != 1)
        m_form.selectTab(1);
    m_form.placeEditorOverFirstPane();
}

ShellMergeHost::ShellMergeHost(ComposeHost &compose, MainForm &form, ShellState &state, ShowHelp showHelp,
                               Services services)
    : m_compose(compose)
    , m_form(form)
    , m_state(state)
    , m_showHelp(std::move(showHelp))
    , m_services(services)
{
}

TemplateText ShellMergeHost::templateText() const
{
    return {m_state.compose.TemplateSubject, m_state.compose.TemplateBody};
}

void ShellMergeHost::setTemplateText(const TemplateText &text)
{
    m_state.compose.TemplateSubject = text.subject;
    m_state.compose.TemplateBody = text.body;
}

MergeHost::FormFill ShellMergeHost::insertTemplateIntoComposeForm()
{
    return formFillFor(ReplyOrForward(m_compose, ComposeMode::InsertTemplate));
}

MergeHost::FormFill ShellMergeHost::captureTemplateFromComposeForm()
{
    return formFillFor(ReplyOrForward(m_compose, ComposeMode::CaptureTemplate));
}

void ShellMergeHost::cancelComposeWait()
{
    m_state.WaitCancelled = true;
}

QString ShellMergeHost::templatesFolder() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::Templates));
}

QStringList ShellMergeHost::templateNames() const
{
    const QComboBox *list = m_form.band().templateCombo();
    QStringList names;
    for (int i = 1; i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

QString ShellMergeHost::chosenTemplateName() const
{
    const QComboBox *list = m_form.band().templateCombo();
    return list->currentIndex() > 0 ? list->currentText() : QString();
}

void ShellMergeHost::addTemplateName(const QString &fileName)
{
    addIfMissing(m_form.band().templateCombo(), fileName);
    addIfMissing(m_form.settingsPanel().defaultTemplateCombo(), fileName);
}

bool ShellMergeHost::closeAddressPalette()
{
    if (!m_addresses || !m_addresses->isPaletteOpen())
        return false;
    m_addresses->closePalette();
    return true;
}

void ShellMergeHost::showAddressPalette()
{
    if (m_addresses)
        m_addresses->showPalette();
}

bool ShellMergeHost::mergeInProgress() const
{
    return m_state.MergeInProgress;
}

void ShellMergeHost::setMergeInProgress(bool inProgress)
{
    m_state.MergeInProgress = inProgress;
}

void ShellMergeHost::selectComposeTab()
{
    // While the merge holds MergeInProgress the tab's activation neither
    // reloads nor empties the compose page.
    if (m_compose.selectedTab() != 2)
        m_compose.selectTab(2);
}

WebPage &ShellMergeHost::composePage()
{
    return m_compose.page(Pane::Compose);
}

QString ShellMergeHost::composeLocation()
{
    return m_compose.location(Pane::Compose);
}

bool ShellMergeHost::composeBusy()
{
    return m_form.browser(3).isBusy();
}

void ShellMergeHost::navigateCompose(const QString &address)
{
    m_compose.navigate(Pane::Compose, address);
}

QString ShellMergeHost::composeLoadError()
{
    return m_form.browser(3).lastLoadError();
}

MergeFormNames ShellMergeHost::composeFormNames(const QString &composeAddress)
{
    // The merge knows the provider by the compose pane's own page.
    const ProviderProfile &profile = providerOfPage(m_compose.page(Pane::Compose), composeAddress, m_compose.state());
    const ComposeFormNames &names = profile.compose;
    MergeFormNames merge{names.form, names.to, names.subject, names.body, names.sendSuffix(), profile.pageScript, {}};
    merge.bodyRequired = profile.asksBeforeEmptyBody;
    if (!profile.composeQuery.isEmpty())
        merge.newComposeAddress = composeAddressFor(profile, composeAddress).value_or(QString());
    return merge;
}

MergeAddresses ShellMergeHost::addressesToMerge(bool selectedOnly)
{
    MergeAddresses addresses;
    if (!m_addresses || m_addresses->EmailColumn() < 0)
        return addresses;
    const AddressGrid &grid = *m_addresses->parts().grid;
    const AddressTable &table = grid.addressModel().table();
    addresses.columnNames = table.columnNames();
    addresses.emailColumn = m_addresses->EmailColumn();
    addresses.bookPath = m_addresses->currentPath();
    // Grid rows count the header row; the table's rows do not.
    int first = 1;
    int last = table.rowCount();
    if (selectedOnly) {
        std::tie(first, last) = grid.selectedRows();
        if (first < 1)
            return addresses;
    }
    addresses.firstBookRow = first;
    for (int row = first; row <= last && row <= table.rowCount(); ++row)
        addresses.rows << table.joinedRows().at(row - 1).split(QLatin1Char('\t'));
    return addresses;
}

QString ShellMergeHost::mergesFolder() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::Merges));
}

MergeSettings ShellMergeHost::mergeSettings() const
{
    const auto number = [this](QLatin1String key) {
        return std::max(0, iniNumber(m_services.settings.GetIni(SettingsKeys::Settings, key, QStringLiteral("0"))));
    };
    MergeSettings settings;
    settings.pauseSeconds = number(SettingsKeys::MergePause);
    settings.stopAfter = number(SettingsKeys::MergeStopAfter);
    settings.stopAtFirstFailure = number(SettingsKeys::MergeStopAtFailure) == 1;
    return settings;
}

void ShellMergeHost::setMergeSettings(const MergeSettings &settings)
{
    // A setting that cannot be kept is no reason to stop a merge.
    SettingsAccess &file = m_services.settings;
    (void)file.SetIni(SettingsKeys::Settings, SettingsKeys::MergePause, plainNumberText(settings.pauseSeconds));
    (void)file.SetIni(SettingsKeys::Settings, SettingsKeys::MergeStopAfter, plainNumberText(settings.stopAfter));
    (void)file.SetIni(SettingsKeys::Settings, SettingsKeys::MergeStopAtFailure,
                      settings.stopAtFirstFailure ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace ferrowen

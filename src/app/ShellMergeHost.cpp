#include "app/ShellMergeHost.h"

#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "app/ShellState.h"
#include "platform/web/BrowserPane.h"
#include "platform/web/PageCallWaits.h"
#include "settings/SettingsFile.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"
#include "webmail/ReplyOrForward.h"

#include <QComboBox>

#include <tuple>

namespace ferrowen {

namespace {

TemplateHost::FormFill formFillFor(ComposeFillOutcome outcome)
{
    switch (outcome) {
    case ComposeFillOutcome::Filled: return TemplateHost::FormFill::Done;
    // The template waits in the window's notice: inserting it is done with.
    case ComposeFillOutcome::Waiting: return TemplateHost::FormFill::Done;
    case ComposeFillOutcome::Stopped: return TemplateHost::FormFill::Stopped;
    case ComposeFillOutcome::Failed: return TemplateHost::FormFill::Failed;
    }
    return TemplateHost::FormFill::Failed;
}

void addIfMissing(QComboBox *combo, const QString &text)
{
    if (combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        combo->addItem(text);
}

} // namespace

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

TemplateHost::FormFill ShellMergeHost::insertTemplateIntoComposeForm()
{
    return formFillFor(ReplyOrForward(m_compose, ComposeMode::InsertTemplate));
}

TemplateHost::FormFill ShellMergeHost::captureTemplateFromComposeForm()
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

void ShellMergeHost::startPageWork(QObject *context, std::function<void()> work)
{
    PageCallWaits::instance().whenNoneWaits(context, std::move(work));
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
    if (m_compose.selectedTab() != Tab::Compose)
        m_compose.selectTab(Tab::Compose);
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
    return m_form.browser(Pane::Compose).isBusy();
}

void ShellMergeHost::navigateCompose(const QString &address)
{
    m_compose.navigate(Pane::Compose, address);
}

QString ShellMergeHost::composeLoadError()
{
    return m_form.browser(Pane::Compose).lastLoadError();
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
        addresses.rows << table.rowCells(row - 1);
    return addresses;
}

QString ShellMergeHost::mergesFolder() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::Merges));
}

MergeSettings ShellMergeHost::mergeSettings() const
{
    const auto number = [this](const SettingKey<int> &key) { return std::max(0, readSetting(m_services.settings, key)); };
    MergeSettings settings;
    settings.pauseSeconds = number(SettingKeys::MergePause);
    settings.stopAfter = number(SettingKeys::MergeStopAfter);
    settings.stopAtFirstFailure = number(SettingKeys::MergeStopAtFailure) == 1;
    return settings;
}

void ShellMergeHost::setMergeSettings(const MergeSettings &settings)
{
    // A setting that cannot be kept is no reason to stop a merge.
    SettingsAccess &file = m_services.settings;
    (void)writeSetting(file, SettingKeys::MergePause, settings.pauseSeconds);
    (void)writeSetting(file, SettingKeys::MergeStopAfter, settings.stopAfter);
    (void)writeSetting(file, SettingKeys::MergeStopAtFailure, settings.stopAtFirstFailure ? 1 : 0);
}

} // namespace ferrowen

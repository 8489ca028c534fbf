#include "app/ShellStoreHost.h"

#include "app/InboxFramesBand.h"
#include "app/MainForm.h"
#include "app/SettingsPanel.h"
#include "app/ShellState.h"
#include "platform/web/BrowserPane.h"
#include "platform/web/PageCallWaits.h"
#include "webmail/ComposeHost.h"
#include "webmail/ReplyOrForward.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>

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
    PageCallWaits::instance().whenNoneWaits(&m_form, [this, action] { ReplyOrForward(m_compose, composeModeFor(action)); });
}

bool ShellStoreHost::isStarting() const
{
    return m_state.starting;
}

QString ShellStoreHost::savedMessagesFolder() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::SavedMessages));
}

QString ShellStoreHost::blankMessagePage() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::BlankMessagePage));
}

void ShellStoreHost::showPreview(const QString &path)
{
    m_form.browser(Pane::Preview).openLocalFile(path);
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

} // namespace ferrowen

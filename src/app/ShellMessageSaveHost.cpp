#include "app/ShellMessageSaveHost.h"

#include "app/InboxFramesBand.h"
#include "app/MainForm.h"
#include "app/ShellState.h"

#include <QComboBox>
#include <QLabel>

namespace ferrowen {

ShellMessageSaveHost::ShellMessageSaveHost(MainForm &form, const ShellState &state, MessageBoxes &messageBoxes)
    : m_form(form)
    , m_state(state)
    , m_messageBoxes(messageBoxes)
{
}

QString ShellMessageSaveHost::savedMessagesFolder() const
{
    return toFileSystemPath(m_state.folders.path(AppPaths::SavedMessages));
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

} // namespace ferrowen

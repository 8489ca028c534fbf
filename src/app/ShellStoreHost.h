#pragma once

#include "store/ui/StoreHost.h"

namespace ferrowen {

class ComposeHost;
class MainForm;
struct ShellState;

// The saved-message pane reaches the compose automation, the main window
// and the shell's state through this adapter.
class ShellStoreHost : public StoreHost
{
public:
    ShellStoreHost(ComposeHost &compose, MainForm &form, const ShellState &state, MessageBoxes &messageBoxes);

    void runSavedMessageAction(SavedMessageAction action) override;
    bool isStarting() const override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }
    QString savedMessagesFolder() const override;
    QString blankMessagePage() const override;
    void showPreview(const QString &path) override;
    void showFolderChoices(const QStringList &folders, int chosen) override;
    void openInFileManager(const QString &folder) override;
    void showProgress(int value, int maximum) override;
    void hideProgress() override;

private:
    ComposeHost &m_compose;
    MainForm &m_form;
    const ShellState &m_state;
    MessageBoxes &m_messageBoxes;
};

} // namespace ferrowen

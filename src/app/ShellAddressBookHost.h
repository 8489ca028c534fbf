#pragma once

#include "addressbook/ui/AddressBookHost.h"

namespace ferrowen {

class ComposeHost;
class MainForm;
struct ShellState;

// The address books reach the compose form, the inbox pane and the main
// window through this adapter.
class ShellAddressBookHost : public AddressBookHost
{
public:
    ShellAddressBookHost(ComposeHost &compose, MainForm &form, const ShellState &state, MessageBoxes &messageBoxes,
                         FileDialogs &fileDialogs);

    void insertIntoComposeForm(InsertField field) override;
    QString mainDir() const override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }
    FileDialogs &fileDialogs() override { return m_fileDialogs; }
    void startPageWork(QObject *context, std::function<void()> work) override;
    void showWebmailTab() override;
    QString webmailPageText() override;
    const ProviderProfile &detectProvider() override;
    QString webmailSenderThroughScript(const ProviderProfile &profile) override;
    ComposeState &webmailState() override;
    void setStatusText(int panel, const QString &text) override;

private:
    ComposeHost &m_compose;
    MainForm &m_form;
    const ShellState &m_state;
    MessageBoxes &m_messageBoxes;
    FileDialogs &m_fileDialogs;
};

} // namespace ferrowen

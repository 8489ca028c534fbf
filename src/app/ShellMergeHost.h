#pragma once

#include "merge/MergeRunHost.h"
#include "merge/MergeStorage.h"
#include "merge/MergeWindow.h"
#include "merge/TemplateHost.h"

#include <functional>

namespace ferrowen {

class AddressPane;
class ComposeHost;
class FileDialogs;
class MainForm;
class MessageBoxes;
class SettingsAccess;
struct ShellState;

// The templates and the mail merge reach the compose automation, the open
// address book, the main window, the shell's state and the settings file
// through this adapter, in each of the roles the merge declares.
class ShellMergeHost : public MergeComposePage,
                       public MergeAddressSource,
                       public MergeSession,
                       public MergeWindow,
                       public TemplateHost,
                       public MergeStorage
{
public:
    enum class Help { MailMerge, Templates };
    using ShowHelp = std::function<void(Help)>;

    struct Services
    {
        MessageBoxes &messageBoxes;
        FileDialogs &fileDialogs;
        SettingsAccess &settings;
    };

    ShellMergeHost(ComposeHost &compose, MainForm &form, ShellState &state, ShowHelp showHelp, Services services);

    // The pane whose palette the dialogs close while they are open (none
    // until it is set).
    void setAddressPane(AddressPane &addresses) { m_addresses = &addresses; }

    // What a merge run works through: this adapter in each of its roles.
    MergeRunHost runHost() { return {*this, *this, *this}; }

    TemplateText templateText() const override;
    void setTemplateText(const TemplateText &text) override;
    FormFill insertTemplateIntoComposeForm() override;
    FormFill captureTemplateFromComposeForm() override;
    void cancelComposeWait() override;
    QString templatesFolder() const override;
    QStringList templateNames() const override;
    QString chosenTemplateName() const override;
    void addTemplateName(const QString &fileName) override;
    bool closeAddressPalette() override;
    void showAddressPalette() override;
    bool mergeInProgress() const override;
    void setMergeInProgress(bool inProgress) override;
    void selectComposeTab() override;
    WebPage &composePage() override;
    QString composeLocation() override;
    bool composeBusy() override;
    void navigateCompose(const QString &address) override;
    QString composeLoadError() override;
    MergeFormNames composeFormNames(const QString &composeAddress) override;
    MergeAddresses addressesToMerge(bool selectedOnly) override;
    QString mergesFolder() const override;
    MergeSettings mergeSettings() const override;
    void setMergeSettings(const MergeSettings &settings) override;
    FileDialogs &fileDialogs() override { return m_services.fileDialogs; }
    void showMailMergeHelp() override { m_showHelp(Help::MailMerge); }
    void showTemplateHelp() override { m_showHelp(Help::Templates); }
    void startPageWork(QObject *context, std::function<void()> work) override;
    MessageBoxes &messageBoxes() override { return m_services.messageBoxes; }

private:
    ComposeHost &m_compose;
    MainForm &m_form;
    ShellState &m_state;
    ShowHelp m_showHelp;
    Services m_services;
    AddressPane *m_addresses = nullptr;
};

} // namespace ferrowen

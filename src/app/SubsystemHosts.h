#pragma once

#include "addressbook/ui/AddressBookHost.h"
#include "editor/ui/EditorHost.h"
#include "merge/ui/MergeHost.h"
#include "store/MessageSaveHost.h"
#include "store/ui/StoreHost.h"

#include <functional>

namespace ferrowen {

class AddressPane;
class ComposeHost;
class MainForm;
class SettingsAccess;
struct ShellState;

// The small adapters through which the saved-message pane, the saving of
// messages, the address books, the editor and the templates and mail merge
// reach the rest of the program. Each only forwards to the compose
// automation, to the main window or to the shell's shared state.

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

class ShellMessageSaveHost : public MessageSaveHost
{
public:
    ShellMessageSaveHost(MainForm &form, const ShellState &state, MessageBoxes &messageBoxes);

    QString savedMessagesFolder() const override;
    QString chosenFolder() const override;
    void showMessageSavedLabel(bool shown) override;
    void setStatusText(int panel, const QString &text) override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }

private:
    MainForm &m_form;
    const ShellState &m_state;
    MessageBoxes &m_messageBoxes;
};

class ShellAddressBookHost : public AddressBookHost
{
public:
    ShellAddressBookHost(ComposeHost &compose, MainForm &form, const ShellState &state, MessageBoxes &messageBoxes,
                         FileDialogs &fileDialogs);

    void insertIntoComposeForm(qint16 code) override;
    QString mainDir() const override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }
    FileDialogs &fileDialogs() override { return m_fileDialogs; }
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

class ShellEditorHost : public EditorHost
{
public:
    struct Services
    {
        MessageBoxes &messageBoxes;
        FileDialogs &fileDialogs;
        ColorChooser &colorChooser;
        SpellEngine &spellEngine;
        SpellDialog &spellDialog;
    };

    ShellEditorHost(MainForm &form, ShellState &state, SettingsAccess &settings, Services services);

    EditorPlacement &placement() override;
    AffiliateSettings &affiliate() override;
    SettingsAccess &settings() override { return m_settings; }
    MessageBoxes &messageBoxes() override { return m_services.messageBoxes; }
    FileDialogs &fileDialogs() override { return m_services.fileDialogs; }
    ColorChooser &colorChooser() override { return m_services.colorChooser; }
    WebPage &inboxPage() override;
    SpellEngine &spellEngine() override { return m_services.spellEngine; }
    SpellDialog &spellDialog() override { return m_services.spellDialog; }
    SpellDictionaries dictionaries() const override;
    void setMainDictionary(const QString &wordFile) override;
    int editorPanelHeight() const override;
    void setEditorPanelHeight(int height) override;
    int firstPaneHeight() const override;
    void foldEditorPanel() override;
    void unfoldEditorPanel() override;

private:
    MainForm &m_form;
    ShellState &m_state;
    SettingsAccess &m_settings;
    Services m_services;
};

class ShellMergeHost : public MergeHost
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

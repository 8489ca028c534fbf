#pragma once

#include "editor/ui/EditorHost.h"

namespace ferrowen {

class MainForm;
class SettingsAccess;
struct ShellState;

// The HTML editor reaches the main window, the shell's state and the
// settings file through this adapter.
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
    void startPageWork(QObject *context, std::function<void()> work) override;
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

} // namespace ferrowen

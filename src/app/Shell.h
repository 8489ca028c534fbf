#pragma once

#include "app/ShellState.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace ferrowen {

class AddressPane;
class ColorChooser;
class EditorDialogSet;
class DialogMerge;
class EditorPanel;
class FileDialogs;
class HunspellEngine;
class LatestValueWriter;
class MainForm;
class MessageBoxes;
class SavedFoldersPane;
class SettingsFile;
class SpellDialog;
class ShellAddressBookHost;
class ShellComposeHost;
class ShellEditorHost;
class ShellMergeHost;
class ShellMessageSaveHost;
class ShellStoreHost;
class SentCopyAwaitingAnswer;
enum class HelpTopic : int;

// The main window with the program's panes attached, and the adapters
// through which each part reaches the others. Everything the parts share
// lives in one ShellState; the window itself holds none of it.
class Shell : public QObject
{
    Q_OBJECT

public:
    using ShowHelp = std::function<void(HelpTopic)>;

    // Where messages and the file, colour and spelling dialogs are shown;
    // Qt's own (and our spelling dialog) for each one left null.
    Shell(SettingsFile &settings, ShowHelp showHelp, MessageBoxes *messageBoxes = nullptr,
          FileDialogs *fileDialogs = nullptr, ColorChooser *colorChooser = nullptr, SpellDialog *spellDialog = nullptr);
    ~Shell() override;

    MainForm &window() const { return *m_form; }
    ShellState &state() { return m_state; }
    MessageBoxes &messageBoxes() const { return *m_messageBoxes; }
    // The progress trace ("bug" in the settings file).
    LatestValueWriter &trace() const { return *m_trace; }

    ShellComposeHost &compose() const { return *m_composeHost; }
    ShellStoreHost &storeHost() const { return *m_storeHost; }
    ShellMessageSaveHost &messageSaveHost() const { return *m_messageSaveHost; }
    ShellAddressBookHost &addressBookHost() const { return *m_addressBookHost; }
    ShellEditorHost &editorHost() const { return *m_editorHost; }
    ShellMergeHost &mergeHost() const { return *m_mergeHost; }
    // True while a send the compose page has yet to answer holds back its sent copy.
    bool sentCopyAwaitsAnswer() const;

    AddressPane &addressPane() const { return *m_addressPane; }
    SavedFoldersPane &savedFolders() const { return *m_savedFolders; }
    EditorPanel &editorPanel() const { return *m_editorPanel; }

    // The window is going away: waits in progress end at once.
    void markClosing();

private:
    void connectWindow();
    // "&Mail Merge...": the "Compose" tab, then the merge dialog, the one
    // still running if it was closed during a run.
    void openMailMerge();
    void retryWaitingFillingsSoon();

    ShellState m_state;
    std::unique_ptr<MainForm> m_form;
    std::unique_ptr<MessageBoxes> m_ownMessageBoxes;
    MessageBoxes *m_messageBoxes = nullptr;
    std::unique_ptr<FileDialogs> m_ownFileDialogs;
    std::unique_ptr<ColorChooser> m_ownColorChooser;
    std::unique_ptr<HunspellEngine> m_spellEngine;
    std::unique_ptr<LatestValueWriter> m_trace;

    std::unique_ptr<ShellComposeHost> m_composeHost;
    std::unique_ptr<ShellStoreHost> m_storeHost;
    std::unique_ptr<ShellMessageSaveHost> m_messageSaveHost;
    std::unique_ptr<ShellAddressBookHost> m_addressBookHost;
    std::unique_ptr<ShellEditorHost> m_editorHost;
    std::unique_ptr<ShellMergeHost> m_mergeHost;
    std::unique_ptr<EditorDialogSet> m_editorDialogs;
    // A send the compose page has yet to answer, its sent copy kept back.
    std::unique_ptr<SentCopyAwaitingAnswer> m_sentCopy;

    // Owned by the window, like the controls they attach to it.
    AddressPane *m_addressPane = nullptr;
    SavedFoldersPane *m_savedFolders = nullptr;
    EditorPanel *m_editorPanel = nullptr;
    QPointer<DialogMerge> m_mergeDialog;
};

} // namespace ferrowen

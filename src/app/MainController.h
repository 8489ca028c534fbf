#pragma once

#include "app/MailtoHandoff.h"
#include "app/settings/AppFolders.h"

#include <QObject>

#include <memory>

class QTimer;

namespace ferrowen {

class ColorChooser;
class FileDialogs;
class HelpWindow;
class MailtoHandoffDriver;
class MainForm;
class MessageBoxes;
class SettingsFile;
class Shell;
class SpellDialog;
class UnixSignalCloser;

// Runs what happens around the main window: the start-up sequence, the
// mail link hand-off, and the shutdown that writes the window's placement
// back. The window and its panes come from the Shell.
class MainController : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool showSplash = true;
        bool startCompanionAtExit = true;
        // Where messages and dialogs are shown; Qt's own when null.
        MessageBoxes *messageBoxes = nullptr;
        // Where files are chosen; Qt's own dialogs when null.
        FileDialogs *fileDialogs = nullptr;
        ColorChooser *colorChooser = nullptr;
        // The spelling check's suggestion dialog; the program's own when null.
        SpellDialog *spellDialog = nullptr;
    };

    MainController(SettingsFile &settings, Options options);
    ~MainController() override;

    // Start-up: reads the settings, loads the start page, shows the splash
    // and then the window, and starts polling for mail links.
    void start();

    Shell &shell() const { return *m_shell; }
    MainForm &window() const;
    const AppFolders &folders() const;
    QString helpFile() const { return m_helpFile; }
    QString mainDictionary() const { return m_mainDictionary; }
    QString customDictionary() const { return m_customDictionary; }
    HelpWindow &help() const { return *m_help; }

Q_SIGNALS:
    // A mail link from the settings file was filled into the compose form
    // (or discarded by the user) and has left the settings file.
    void mailLinkHandled(const QString &link);

private:
    void applyWindowPlacement();
    void connectWindow();
    void shutdown();
    void startCompanion();
    // "&Pin" in the "Settings" tab: keeps the pin in the settings file and
    // makes it count at once.
    void pinProvider(const QString &address, const QString &providerKey);

    SettingsFile &m_settings;
    Options m_options;
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<UnixSignalCloser> m_signalCloser;
    std::unique_ptr<HelpWindow> m_help;
    QTimer *m_timer2 = nullptr;
    MailtoHandoff m_mailto;
    std::unique_ptr<MailtoHandoffDriver> m_mailtoDriver;
    bool m_shutDown = false;
    QString m_helpFile;
    QString m_mainDictionary;
    QString m_customDictionary;
};

} // namespace ferrowen

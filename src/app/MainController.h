#pragma once

#include "app/MailtoHandoff.h"
#include "settings/AppFolders.h"

#include <QObject>

#include <memory>
#include <optional>

class QTimer;

namespace ferrowen {

class ColorChooser;
class CommandRunner;
class FileDialogs;
class HelpWindow;
class MailtoHandoffDriver;
class MainForm;
class MessageBoxes;
class SettingsFile;
class Shell;
class SpellDialog;
class Status;
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
        // Runs the desktop's programs (xdg-mime); QProcess when null.
        CommandRunner *commandRunner = nullptr;
        // Where a first start lays out the main folder from (the installed
        // program's own files) and to. Without it no main folder is laid out.
        struct FirstStart
        {
            QString dataDir;
            QString mainDir;
        };
        std::optional<FirstStart> firstStart{};
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
    // A mail link was just written into the compose form, or discarded by
    // the user; it leaves the settings file soon after.
    void mailLinkDone(const QString &link);

private:
    void setUpOnFirstStart(const Options::FirstStart &firstStart);
    void applyWindowPlacement();
    void reportHelpFailure(const Status &shown);
    void showAbout();
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
    std::unique_ptr<CommandRunner> m_ownCommandRunner;
    bool m_shutDown = false;
    QString m_helpFile;
    QString m_mainDictionary;
    QString m_customDictionary;
};

} // namespace ferrowen

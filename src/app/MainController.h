#pragma once

#include "app/AppFolders.h"
#include "app/MailtoHandoff.h"
#include "app/WindowPlacement.h"

#include <QByteArray>
#include <QObject>
#include <QUrl>

#include <memory>

namespace ferrowen {

class HelpWindow;
class LatestValueWriter;
class MailtoHandoffDriver;
class MainForm;
class MainFormComposeHost;
class SettingsFile;
class UnixSignalCloser;

// Owns the main window and runs what happens around it: the start-up
// sequence, the mail link hand-off, the compose and calendar tab actions,
// and the shutdown that writes the window's placement back.
class MainController : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool showSplash = true;
        bool startCompanionAtExit = true;
    };

    MainController(SettingsFile &settings, Options options);
    ~MainController() override;

    // Start-up: reads the settings, loads the start page, shows the splash
    // and then the window, and starts polling for mail links.
    void start();

    MainForm &window() const { return *m_form; }
    const AppFolders &folders() const { return m_folders; }
    const EditorPlacement &editorPlacement() const { return m_editor; }
    bool isStarting() const { return m_starting; }
    QString helpFile() const { return m_helpFile; }
    QString mainDictionary() const { return m_mainDictionary; }
    QString customDictionary() const { return m_customDictionary; }
    HelpWindow &help() const { return *m_help; }
    // The compose pane's last form submission, kept for the sent copies.
    const QByteArray &lastComposeSubmission() const { return m_lastComposeSubmission; }

Q_SIGNALS:
    // A mail link from the settings file went through the compose filling.
    void mailLinkHandled(const QString &link);
    // The compose pane is about to post a form (before the page changes).
    void composeFormSubmitted(const QUrl &url, const QByteArray &postData);

private:
    void applyWindowPlacement();
    void connectWindow();
    void onComposeBeforeNavigate(const QUrl &url, const QByteArray &postData);
    void shutdown();
    void startCompanion();

    SettingsFile &m_settings;
    Options m_options;
    AppFolders m_folders;
    std::unique_ptr<MainForm> m_form;
    std::unique_ptr<LatestValueWriter> m_trace;
    std::unique_ptr<MainFormComposeHost> m_composeHost;
    std::unique_ptr<UnixSignalCloser> m_signalCloser;
    std::unique_ptr<HelpWindow> m_help;
    MailtoHandoff m_mailto;
    std::unique_ptr<MailtoHandoffDriver> m_mailtoDriver;
    EditorPlacement m_editor;
    bool m_starting = false;
    bool m_shutDown = false;
    bool m_affiliate = false;
    QString m_affiliateId;
    QString m_affiliateText;
    QString m_helpFile;
    QString m_mainDictionary;
    QString m_customDictionary;
    QByteArray m_lastComposeSubmission;
};

} // namespace ferrowen

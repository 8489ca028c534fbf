#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

namespace ferrowen {

class MailtoHandoff;

// Decides when the mail link hand-off runs: as soon as the settings file
// changes (it is replaced by a rename, so its folder is watched as well as
// the file; until the folder exists, the nearest one above it), on every tick of the once-a-second timer as the fallback, and
// again at once after each link it handled, so that links waiting their
// turn follow each other without a second's pause. A link that could not be
// cleared is tried again shortly.
class MailtoHandoffDriver : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds tickInterval{1000};
    static constexpr std::chrono::milliseconds retryDelay{100};

    // `tick` is the window's hand-off timer; the driver sets it up.
    MailtoHandoffDriver(MailtoHandoff &handoff, QTimer &tick, QString settingsPath, QObject *parent = nullptr);

    void start();
    void stop();
    // Runs the hand-off again after `delay`: the compose filling is done
    // with a link, which can then leave the settings file for the next one.
    void lookAgainSoon(std::chrono::milliseconds delay) { runSoon(delay); }

Q_SIGNALS:
    // A link was filled in (or discarded by the user) and has left the
    // settings file.
    void linkHandled(const QString &link);

private:
    void runSoon(std::chrono::milliseconds delay);
    void run();
    void watchSettingsFile();
    void onFileChanged();

    MailtoHandoff &m_handoff;
    QTimer &m_tick;
    QString m_settingsPath;
    QFileSystemWatcher m_watcher;
    QTimer m_soon;
    bool m_active = false;
};

} // namespace ferrowen

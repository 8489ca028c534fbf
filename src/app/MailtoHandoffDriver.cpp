#include "app/MailtoHandoffDriver.h"

#include "app/MailtoHandoff.h"

#include <QDir>
#include <QFileInfo>

namespace ferrowen {

using namespace std::chrono_literals;

MailtoHandoffDriver::MailtoHandoffDriver(MailtoHandoff &handoff, QTimer &tick, QString settingsPath, QObject *parent)
    : QObject(parent)
    , m_handoff(handoff)
    , m_tick(tick)
    , m_settingsPath(std::move(settingsPath))
{
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &MailtoHandoffDriver::run);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (!m_active)
            return;
        m_tick.setInterval(tickInterval);
        run();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &MailtoHandoffDriver::onFileChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { runSoon(0ms); });
}

void MailtoHandoffDriver::start()
{
    m_active = true;
    watchSettingsFile();
    m_tick.start(tickInterval);
}

void MailtoHandoffDriver::stop()
{
    m_active = false;
    m_tick.stop();
    m_soon.stop();
    if (const QStringList watched = m_watcher.files() + m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
}

void MailtoHandoffDriver::runSoon(std::chrono::milliseconds delay)
{
    if (!m_active)
        return;
    // Many changes in a row make one run.
    if (!m_soon.isActive() || m_soon.remainingTimeAsDuration() > delay)
        m_soon.start(delay);
}

void MailtoHandoffDriver::run()
{
    if (!m_active)
        return;
    // The file or its folder may have appeared since the last look.
    watchSettingsFile();
    const StatusOr<QString> result = m_handoff.tick();
    if (!result) {
        // The link stays in the file; usually the lock was busy for a moment.
        runSoon(retryDelay);
    } else if (!result->isEmpty()) {
        Q_EMIT linkHandled(*result);
        // The next link may already be waiting its turn.
        runSoon(0ms);
    } else if (m_handoff.hasLinkToClear()) {
        // Filled just now: it leaves the file once the window has shown it.
        runSoon(m_handoff.untilClear());
    }
}

void MailtoHandoffDriver::watchSettingsFile()
{
    // Before the first write ever the settings folder may not exist yet:
    // the nearest folder above it that does is watched instead, so that the
    // companion's first link, which makes the folder, is seen at once.
    QString watched = QFileInfo(m_settingsPath).absolutePath();
    while (!QFileInfo(watched).isDir() && !QDir(watched).isRoot())
        watched = QFileInfo(watched).absolutePath();
    for (const QString &other : m_watcher.directories()) {
        if (other != watched)
            m_watcher.removePath(other);
    }
    if (!m_watcher.directories().contains(watched) && QFileInfo(watched).isDir())
        m_watcher.addPath(watched);
    if (!m_watcher.files().contains(m_settingsPath) && QFileInfo::exists(m_settingsPath))
        m_watcher.addPath(m_settingsPath);
}

void MailtoHandoffDriver::onFileChanged()
{
    // A replaced file is a new file: the watch on the old one sees no more
    // changes.
    m_watcher.removePath(m_settingsPath);
    watchSettingsFile();
    runSoon(0ms);
}

} // namespace ferrowen

#pragma once

#include <QProcess>
#include <QString>

// A private virtual X server (Xvfb) for the benchmarks, so they can measure
// the program as users run it, on X11, on a machine without a display. The
// server runs from start() until the object goes.
class XvfbServer
{
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    // Starts the server on a free display and waits until it takes
    // connections. False, with errorString() set, when it cannot.
    bool start(const QString &screenSize = QStringLiteral("1600x1000x24"));
    // The value for DISPLAY, such as ":3".
    QString display() const { return m_display; }
    QString errorString() const { return m_error; }

private:
    QProcess m_server;
    QString m_display;
    QString m_error;
};

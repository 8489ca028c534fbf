#include "XvfbServer.h"

#include <QDeadlineTimer>

XvfbServer::~XvfbServer()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished(2000);
}

bool XvfbServer::start(const QString &screenSize)
{
    // -displayfd 1: the server picks a free display itself and writes its
    // number to standard output once it accepts connections.
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), screenSize, QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp")});
    if (!m_server.waitForStarted(5000)) {
        m_error = QStringLiteral("Xvfb did not start (is the package xvfb installed?)");
        return false;
    }
    const QDeadlineTimer deadline(15000);
    QByteArray output;
    while (!output.contains('\n')) {
        if (deadline.hasExpired() || m_server.state() == QProcess::NotRunning) {
            m_error = QStringLiteral("Xvfb gave no display number");
            return false;
        }
        m_server.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        output += m_server.readAllStandardOutput();
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(output.trimmed());
    return true;
}

#include "RoundcubeLab.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace ferrowen::testing {

namespace {

// The script's exit status when the machine gives it neither root nor sudo.
constexpr int cannotRunHere = 3;
// A start may install the lab's packages first: about a minute on an idle
// machine, several on a loaded one. It ends well before the test's own
// time is up, so the reason gets reported.
constexpr int startTimeoutMs = 10 * 60 * 1000;
constexpr int stopTimeoutMs = 60 * 1000;

QString lastLines(const QByteArray &text, int count)
{
    const QStringList lines = QString::fromLocal8Bit(text).trimmed().split(QLatin1Char('\n'));
    return lines.mid(qMax(0, lines.size() - count)).join(QLatin1Char('\n'));
}

} // namespace

bool RoundcubeLab::run(const QString &command, int timeoutMs, QByteArray *output, int *exitCode)
{
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FERROWEN_ROUNDCUBE_DIR"), m_dir);
    environment.insert(QStringLiteral("FERROWEN_ROUNDCUBE_OWNER_PID"), QString::number(QCoreApplication::applicationPid()));
    // The ports are the script's choice: others may run a lab of their own.
    for (const char *port : {"FERROWEN_ROUNDCUBE_HTTP_PORT", "FERROWEN_ROUNDCUBE_IMAP_PORT", "FERROWEN_ROUNDCUBE_SMTP_PORT"})
        environment.remove(QLatin1String(port));
    script.setProcessEnvironment(environment);
    script.setStandardInputFile(QProcess::nullDevice());
    script.start(QStringLiteral("bash"), {QStringLiteral(FERROWEN_ROUNDCUBE_LAB_SCRIPT), command});
    if (!script.waitForStarted()) {
        m_message = QStringLiteral("bash could not be started: ") + script.errorString();
        return false;
    }
    if (!script.waitForFinished(timeoutMs)) {
        script.kill();
        script.waitForFinished();
        m_message = QStringLiteral("roundcube-lab.sh %1 did not end within %2 s").arg(command).arg(timeoutMs / 1000);
        return false;
    }
    if (output)
        *output = script.readAllStandardOutput();
    if (exitCode)
        *exitCode = script.exitCode();
    if (script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0)
        return true;
    m_message = QStringLiteral("roundcube-lab.sh %1 failed (exit %2):\n%3")
                    .arg(command)
                    .arg(script.exitCode())
                    .arg(lastLines(script.readAllStandardError(), 15));
    return false;
}

RoundcubeLab::Outcome RoundcubeLab::start()
{
    // Not a QTemporaryDir: the daemons' own users must pass through it,
    // and what they leave there belongs to them.
    m_dir = QDir::temp().filePath(QStringLiteral("ferrowen-roundcube-test-%1").arg(QCoreApplication::applicationPid()));
    QByteArray output;
    int exitCode = 0;
    if (!run(QStringLiteral("start"), startTimeoutMs, &output, &exitCode))
        return exitCode == cannotRunHere ? Outcome::CannotRunHere : Outcome::Failed;
    for (const QByteArray &line : output.split('\n')) {
        const int equals = line.indexOf('=');
        if (line.startsWith("FERROWEN_ROUNDCUBE_") && equals > 0)
            m_settings.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
    }
    if (!url().isValid() || smtpPort() <= 0 || domain().isEmpty()) {
        m_message = QStringLiteral("roundcube-lab.sh start printed no usable settings:\n") + QString::fromUtf8(output);
        stop();
        return Outcome::Failed;
    }
    return Outcome::Running;
}

void RoundcubeLab::stop()
{
    if (m_dir.isEmpty())
        return;
    if (!run(QStringLiteral("purge"), stopTimeoutMs))
        ADD_FAILURE() << "the Roundcube lab did not stop: " << m_message.toStdString();
    m_dir.clear();
    m_settings.clear();
}

QString RoundcubeLab::setting(const QString &key) const
{
    return m_settings.value(QStringLiteral("FERROWEN_ROUNDCUBE_") + key);
}

QUrl RoundcubeLab::url() const { return QUrl(setting(QStringLiteral("URL"))); }
int RoundcubeLab::smtpPort() const { return setting(QStringLiteral("SMTP_PORT")).toInt(); }
QString RoundcubeLab::domain() const { return setting(QStringLiteral("DOMAIN")); }
QString RoundcubeLab::password(const QString &user) const { return setting(QStringLiteral("PASSWORD_") + user); }

QString RoundcubeLab::maildir(const QString &user) const
{
    return setting(QStringLiteral("MAILDIRS")) + QLatin1Char('/') + user + QStringLiteral("/Maildir");
}

RoundcubeLab &roundcubeLab()
{
    static RoundcubeLab lab;
    return lab;
}

void RoundcubeLabEnvironment::SetUp()
{
    RoundcubeLab &lab = roundcubeLab();
    switch (lab.start()) {
    case RoundcubeLab::Outcome::Running:
        return;
    case RoundcubeLab::Outcome::CannotRunHere: {
        const bool optedOut = qEnvironmentVariable("FERROWEN_SKIP_ROUNDCUBE") == QLatin1String("1");
        const bool underCi = !qEnvironmentVariableIsEmpty("CI");
        if (optedOut && !underCi)
            GTEST_SKIP() << "FERROWEN_SKIP_ROUNDCUBE=1: the tests against the Roundcube lab do not run. "
                         << lab.message().toStdString();
        FAIL() << "\n*** The Roundcube lab cannot be set up on this machine, so the tests against a real "
                  "webmail cannot run.\n*** "
               << lab.message().toStdString()
               << "\n*** Run them as root or with sudo, or opt out with FERROWEN_SKIP_ROUNDCUBE=1"
               << (underCi ? " (not under CI)." : ".");
    }
    case RoundcubeLab::Outcome::Failed:
        FAIL() << "The Roundcube lab did not start: " << lab.message().toStdString();
    }
}

void RoundcubeLabEnvironment::TearDown()
{
    roundcubeLab().stop();
}

} // namespace ferrowen::testing

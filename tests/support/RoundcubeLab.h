#pragma once

#include <QMap>
#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

namespace ferrowen::testing {

// The Roundcube lab of scripts/roundcube-lab.sh (Roundcube, Dovecot and
// Postfix on 127.0.0.1) in a work folder of this test program's own. Should
// the program die before it stops the lab, the script stops it by itself.
class RoundcubeLab
{
public:
    enum class Outcome { Running, CannotRunHere, Failed };

    // Starts the lab, installing its packages first when they are missing.
    // CannotRunHere: this machine gives neither root nor sudo; message()
    // says why, as it does for Failed.
    Outcome start();
    // Stops the lab and removes its work folder.
    void stop();
    const QString &message() const { return m_message; }

    QUrl url() const;
    int smtpPort() const;
    QString domain() const;
    QString address(const QString &user) const { return user + QLatin1Char('@') + domain(); }
    QString password(const QString &user) const;
    // The user's Maildir: new mail lies in its new/ folder.
    QString maildir(const QString &user) const;

private:
    QString setting(const QString &key) const;
    // Runs the lab script with one command; false when it failed.
    bool run(const QString &command, int timeoutMs, QByteArray *output = nullptr, int *exitCode = nullptr);

    QString m_dir;
    QMap<QString, QString> m_settings;
    QString m_message;
};

// The lab of this test program, started by RoundcubeLabEnvironment.
RoundcubeLab &roundcubeLab();

// Starts the lab before the program's first test and stops it after the
// last. Where the lab cannot run, every test fails with the reason, unless
// the user opted out with FERROWEN_SKIP_ROUNDCUBE=1 (then they are skipped
// with it); under CI (CI set) the opt-out is refused.
class RoundcubeLabEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;
};

} // namespace ferrowen::testing

#pragma once

#include <QString>
#include <QWebEnginePage>

#include <optional>

namespace ferrowen {

// How the program's own scripts in a page report back: console messages
// that start with a random token. The token is written into those scripts
// only, so the page's own scripts cannot forge a report.
class ConsoleChannel
{
public:
    // name: what the token starts with ("ferrowen-form"), for a reader of
    // the console.
    explicit ConsoleChannel(const QString &name);

    // The script with the token in place of its placeholder /*channel*/"".
    QString intoScript(QString source) const;
    // The report a console message carries; none when it is not one.
    std::optional<QString> report(const QString &message) const;

private:
    QString m_token;
};

// A page whose program scripts report through a ConsoleChannel of its own.
// The console messages of the page's own scripts are logged, or dropped.
class ConsoleChannelPage : public QWebEnginePage
{
public:
    enum class OtherMessages { Logged, Dropped };

protected:
    ConsoleChannelPage(QWebEngineProfile *profile, QObject *parent, const QString &channelName, OtherMessages others);

    const ConsoleChannel &channel() const { return m_channel; }
    // A report of the program's scripts.
    virtual void channelReport(const QString &report) = 0;

private:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) final;

    const ConsoleChannel m_channel;
    const OtherMessages m_others;
};

} // namespace ferrowen

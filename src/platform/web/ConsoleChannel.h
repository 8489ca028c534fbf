#pragma once

#include <QString>

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

} // namespace ferrowen

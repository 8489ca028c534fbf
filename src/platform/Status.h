#pragma once

#include <QString>

namespace ferrowen {

// The outcome of an operation that can fail, with a sentence for the user
// (or the log) when it did. Every operation of the program's libraries that
// can fail returns one (or a StatusOr); dropping it unread is a compile
// error, so a failed write cannot go unnoticed.
class [[nodiscard]] Status
{
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message)); }

    bool ok() const { return m_error.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    Status() = default;
    explicit Status(QString message)
        : m_error(message.isEmpty() ? QStringLiteral("unknown error") : std::move(message))
    {
    }

    QString m_error;
};

} // namespace ferrowen

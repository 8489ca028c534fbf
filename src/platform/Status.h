#pragma once

#include <QString>

namespace ferrowen {

// The outcome of an operation that can fail, with a sentence for the user
// (or the log) when it did.
class Status
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

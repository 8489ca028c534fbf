#pragma once

#include "platform/Status.h"

#include <optional>
#include <utility>

namespace ferrowen {

// The value of an operation that can fail, or the Status saying why it did
// not come.
template<typename T>
class [[nodiscard]] StatusOr
{
public:
    StatusOr(T value)
        : m_status(Status::success())
        , m_value(std::move(value))
    {
    }
    // A failed Status; a successful one carries no value and is refused.
    StatusOr(Status failure)
        : m_status(failure.ok() ? Status::failure(QStringLiteral("no value")) : std::move(failure))
    {
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const Status &status() const { return m_status; }
    const QString &error() const { return m_status.error(); }

    // Only when ok().
    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T &operator*() const & { return *m_value; }
    const T *operator->() const { return &*m_value; }

private:
    Status m_status;
    std::optional<T> m_value;
};

} // namespace ferrowen

#pragma once

#include "platform/Status.h"

#include <QString>

namespace ferrowen {

// Tells the user something they have to know, from a program that has no
// window of its own.
class UserNotifier
{
public:
    virtual ~UserNotifier() = default;
    virtual Status notify(const QString &summary, const QString &body) = 0;
};

} // namespace ferrowen

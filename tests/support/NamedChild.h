#pragma once

#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

namespace ferrowen::testing {

// The child of `parent` carrying the designed name `name`; a missing one
// fails the test (and gives nullptr).
template<typename T = QWidget>
T *namedChild(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace ferrowen::testing

#pragma once

#include <QLatin1String>

namespace ferrowen {

// Gives a new control the name the rest of the program and the tests find
// it by, and hands it back for further setup.
template<typename W>
W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

} // namespace ferrowen

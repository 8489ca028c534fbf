#pragma once

#include <QString>

namespace ferrowen {

// The affiliate footer the editor adds to what it posts: on only when the
// user switches it on in this run, with the identifier and the credit
// text kept in the settings file.
struct AffiliateSettings
{
    bool enabled = false;
    QString id;
    QString text;
};

} // namespace ferrowen

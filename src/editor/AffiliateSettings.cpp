#include "editor/AffiliateSettings.h"

namespace ferrowen {

QString defaultAffiliateText()
{
    return QStringLiteral("Composed with the Drovenel HTML editor.");
}

} // namespace ferrowen

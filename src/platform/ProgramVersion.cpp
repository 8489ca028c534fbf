#include "platform/ProgramVersion.h"

namespace ferrowen {

QString programVersion()
{
    // Defined for this file only, so a new version rebuilds one file.
    return QStringLiteral(FERROWEN_VERSION);
}

} // namespace ferrowen

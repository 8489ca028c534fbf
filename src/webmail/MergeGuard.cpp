#include "webmail/MergeGuard.h"

#include "platform/MessageBoxes.h"
#include "webmail/ComposeHost.h"

namespace ferrowen {

bool refusedWhileMerging(ComposeHost &host)
{
    if (!host.mergeInProgress())
        return false;
    host.messageBoxes().show(QStringLiteral("A mail merge is sending messages through the compose form. Wait until it "
                                            "has finished, or stop it, and try again."));
    return true;
}

} // namespace ferrowen

#include "webmail/ReplyOrForward.h"

#include "webmail/ComposeFilling.h"
#include "webmail/MergeGuard.h"

namespace ferrowen {

ComposeFillOutcome ReplyOrForward(ComposeHost &host, ComposeMode mode)
{
    if (refusedWhileMerging(host))
        return ComposeFillOutcome::Stopped;
    ComposeRequest request;
    request.mode = mode;
    return fillCompose(host, std::move(request), FillStart::Asked);
}

} // namespace ferrowen

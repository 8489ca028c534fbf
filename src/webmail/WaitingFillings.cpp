#include "webmail/WaitingFillings.h"

#include "platform/MessageBoxes.h"
#include "webmail/ComposeFilling.h"
#include "webmail/ComposeHost.h"
#include "webmail/MergeGuard.h"

#include <QCoreApplication>

#include <algorithm>

namespace ferrowen {

namespace {

bool waitsForPage(const ComposeRequest &request)
{
    return request.waiting == ComposeRequest::Waiting::ForComposePage;
}

ComposeRequest takeAt(ComposeHost &host, qsizetype index)
{
    ComposeRequest request = host.state().waiting.takeAt(index);
    showWaitingNotice(host);
    return request;
}

// Once one filling is written, those waiting for a page would write over
// it: they wait until the user fills or discards them.
void putAsideThoseWaitingForPage(ComposeHost &host)
{
    bool changed = false;
    for (ComposeRequest &other : host.state().waiting) {
        if (waitsForPage(other)) {
            other.waiting = ComposeRequest::Waiting::PutAside;
            changed = true;
        }
    }
    if (changed)
        showWaitingNotice(host);
}

} // namespace

void putWaiting(ComposeHost &host, ComposeRequest request, ComposeRequest::Waiting why, bool first)
{
    QList<ComposeRequest> &waiting = host.state().waiting;
    request.waiting = why;
    if (waitsForPage(request) && !request.isMailLink()) {
        waiting.removeIf([](const ComposeRequest &earlier) { return waitsForPage(earlier) && !earlier.isMailLink(); });
    }
    if (first)
        waiting.prepend(request);
    else
        waiting.append(request);
    showWaitingNotice(host);
}

void showWaitingNotice(ComposeHost &host)
{
    host.showWaitingNotice(waitingNotice(host.state().waiting));
}

void RetryWaitingFillings(ComposeHost &host)
{
    ComposeState &state = host.state();
    // A filling running now may be waiting for this very page: the waiting
    // ones try again once it has ended (fillCompose). A merge has the form
    // to itself.
    if (state.fillsRunning > 0) {
        state.retryMissed = true;
        return;
    }
    if (host.mergeInProgress())
        return;
    do {
        state.retryMissed = false;
        const auto next = std::find_if(state.waiting.cbegin(), state.waiting.cend(), waitsForPage);
        if (next == state.waiting.cend())
            return;
        const ComposeFillOutcome outcome =
            fillCompose(host, takeAt(host, next - state.waiting.cbegin()), FillStart::Retried);
        if (outcome == ComposeFillOutcome::Filled) {
            state.retryMissed = false;
            putAsideThoseWaitingForPage(host);
            return;
        }
        // The page that loaded while it looked (the user signed in) may be
        // the one it waits for.
    } while (state.retryMissed && !host.mergeInProgress());
}

void FillWaitingNow(ComposeHost &host)
{
    if (host.state().waiting.isEmpty() || refusedWhileMerging(host))
        return;
    fillCompose(host, takeAt(host, 0), FillStart::FromNotice);
}

void DiscardWaiting(ComposeHost &host)
{
    QList<ComposeRequest> &waiting = host.state().waiting;
    if (waiting.isEmpty())
        return;
    const QString what = describeRequest(waiting.first());
    if (waiting.first().isMailLink()) {
        const QString question =
            QCoreApplication::translate("WaitingFillings", "Discard %1? It will not be filled in.").arg(what);
        if (host.messageBoxes().show(question, MessageBoxes::Buttons::YesNoDefaultNo, MessageBoxes::Icon::Question)
            != MessageBoxes::Answer::Yes)
            return;
    }
    // The question let events run: the list may have changed meanwhile.
    const auto asked = std::find_if(waiting.cbegin(), waiting.cend(),
                                    [&what](const ComposeRequest &request) { return describeRequest(request) == what; });
    if (asked == waiting.cend())
        return;
    const ComposeRequest dropped = takeAt(host, asked - waiting.cbegin());
    if (dropped.isMailLink())
        host.mailLinkDone(dropped.mailtoLink);
}

} // namespace ferrowen

#include "webmail/FillCheckedRange.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderProfile.h"

namespace ferrowen {

QList<int> boxesBetweenTicked(const QList<bool> &ticked)
{
    QList<int> toTick;
    bool inRange = false;
    bool filledAny = false;
    for (int i = 0; i < ticked.size(); ++i) {
        if (ticked[i]) {
            if (!inRange)
                inRange = true;
            else if (filledAny)
                inRange = false;
        } else if (inRange) {
            toTick << i;
            filledAny = true;
        }
    }
    return toTick;
}

void FillCheckedRange(ComposeHost &host)
{
    if (host.selectedTab() != 1)
        host.selectTab(1);
    const ElementWalk &messageBoxes = DetectProvider(host).messageBoxes;
    try {
        WebPage &inbox = host.page(Pane::Inbox);
        const QList<WalkedElement> boxes = inbox.walk(messageBoxes);
        QList<bool> ticked;
        ticked.reserve(boxes.size());
        for (const WalkedElement &box : boxes)
            ticked << box.values.value(0).toBool();
        QList<ElementRef> toTick;
        for (int position : boxesBetweenTicked(ticked))
            toTick << boxes[position].ref;
        if (!toTick.isEmpty())
            inbox.clickEach(toTick);
    } catch (const WebPageError &) {
        // No inbox page, or it changed under the operation: nothing more to do.
    }
}

} // namespace ferrowen

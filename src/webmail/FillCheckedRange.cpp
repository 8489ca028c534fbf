#include "webmail/FillCheckedRange.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderProfile.h"

#include <QJsonArray>

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
    if (host.selectedTab() != Tab::InboxLogin)
        host.selectTab(Tab::InboxLogin);
    const ProviderProfile &profile = DetectProvider(host);
    try {
        WebPage &inbox = host.page(Pane::Inbox);
        if (!profile.pageScript.isEmpty()) {
            // The list's own selection says what is ticked, and ticks.
            QList<bool> ticked;
            for (const QJsonValue &box : inbox.runScript(profile.pageScript, QStringLiteral("inboxBoxes")).toArray())
                ticked << box.toBool();
            QJsonArray toTick;
            for (int position : boxesBetweenTicked(ticked))
                toTick.append(position);
            if (!toTick.isEmpty())
                inbox.runScript(profile.pageScript, QStringLiteral("tickBoxes"), {{QStringLiteral("indexes"), toTick}});
            return;
        }
        const QList<WalkedElement> boxes = inbox.walk(profile.messageBoxes);
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

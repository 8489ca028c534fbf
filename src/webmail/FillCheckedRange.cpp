#include "webmail/FillCheckedRange.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderProfile.h"

#include <QJsonArray>

#include <vector>

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

bool isMessageBox(const InboxListNames &names, const QString &elementName, const QString &elementType)
{
    if (!names.skippedName.isEmpty() && elementName == names.skippedName)
        return false;
    if (!names.boxName.isEmpty() && elementName != names.boxName)
        return false;
    return names.boxType.isEmpty() || elementType == names.boxType;
}

void FillCheckedRange(ComposeHost &host)
{
    if (host.selectedTab() != 1)
        host.selectTab(1);
    const ProviderProfile &profile = DetectProvider(host);
    const InboxListNames &names = profile.inboxList;
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
        const int count = inbox.formElementCount(names.form);
        std::vector<WebElement> boxes;
        QList<bool> ticked;
        for (int i = 0; i < count; ++i) {
            WebElement element = inbox.formElementAt(names.form, i);
            if (!isMessageBox(names, element.name(), element.type()))
                continue;
            ticked << element.checked();
            boxes.push_back(element);
        }
        for (int position : boxesBetweenTicked(ticked))
            boxes[size_t(position)].click();
    } catch (const WebPageError &) {
        // No inbox page, or it changed under the operation: nothing more to do.
    }
}

} // namespace ferrowen

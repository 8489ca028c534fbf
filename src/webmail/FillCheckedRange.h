#pragma once

#include <QList>
#include <QString>

namespace ferrowen {

class ComposeHost;

// Which boxes of a message list to tick so that the messages between
// ticked ones are ticked too. Ticked boxes pair up from the top: the first
// opens a range, the next ticked one closes it once at least one box was
// filled (a ticked box right after the opening one does not), the one
// after that opens a new range. A range still open at the end runs to the
// last box. Gives the positions of the boxes to tick, top to bottom.
QList<int> boxesBetweenTicked(const QList<bool> &ticked);

// Ticks the message boxes of the inbox page (in the "Inbox/Login" pane,
// selected first) between ticked ones, each with a click as the user's,
// so the page hears of it. One call reads every box, one more clicks the
// boxes to tick, however long the list. A page without the list changes
// nothing; so does a page loaded anew in between.
void FillCheckedRange(ComposeHost &host);

} // namespace ferrowen

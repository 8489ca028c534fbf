#pragma once

#include <QList>
#include <QString>

namespace ferrowen {

class ComposeHost;
struct InboxListNames;

// Which boxes of a message list to tick so that the messages between
// ticked ones are ticked too. Ticked boxes pair up from the top: the first
// opens a range, the next ticked one closes it once at least one box was
// filled (a ticked box right after the opening one does not), the one
// after that opens a new range. A range still open at the end runs to the
// last box. Gives the positions of the boxes to tick, top to bottom.
QList<int> boxesBetweenTicked(const QList<bool> &ticked);

// Whether an element of the inbox's list form is a message's check box.
bool isMessageBox(const InboxListNames &names, const QString &elementName, const QString &elementType);

// Ticks the message boxes of the inbox page (in the "Inbox/Login" pane,
// selected first) between ticked ones, each with a click as the user's,
// so the page hears of it. A page without the list changes nothing; a
// failure halfway keeps the boxes ticked so far.
void FillCheckedRange(ComposeHost &host);

} // namespace ferrowen

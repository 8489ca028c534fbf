#pragma once

#include "platform/StatusOr.h"

#include <QString>

namespace ferrowen {

class MessageSaveHost;
struct SavedMessage;

// The one writer of saved messages. An incoming message goes into the
// folder chosen for it, never into the sent folder ("You cannot save
// incoming messages to the Sent Messages Folder."); a sent copy goes into
// the sent folder, which is made when it is missing. A file of the same
// name is replaced without asking.
//
// Success of an incoming message shows "Message Saved" and "Msg Saved" in
// the status bar; its failure "Unable to save message: " and why (the
// folder is gone, the disk is full...). A sent copy shows nothing either
// way; its failure goes to the log.
void SaveMessage(MessageSaveHost &host, const SavedMessage &message);

// Writes the message file into `folderPath` (which must exist) and returns
// its path, or a sentence saying why not. The file is written beside its
// final name and renamed into place, so a failure leaves no half-written
// message and an earlier file of the same name as it was.
StatusOr<QString> writeSavedMessage(const QString &folderPath, const SavedMessage &message);

} // namespace ferrowen

#pragma once

#include <QString>

namespace ferrowen {

// Topics of the program's help, one page each inside the help folder.
enum class HelpTopic : int {
    MailMerge = 5000,
    Templates = 5001,
    DefaultMailProgram = 5002,
};

// The page of a topic inside the help folder (MainDir + "kestrova.hlp"),
// as a file-system path.
QString helpTopicPath(const QString &helpFile, HelpTopic topic);

// The help's contents page ("index.html" in the help folder).
QString helpContentsPath(const QString &helpFile);

} // namespace ferrowen
